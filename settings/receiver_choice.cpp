#include "settings/receiver_choice.h"

#include "platform/serial_device.h"
#include "settings/config_file.h"

#include <cstdlib>
#include <iterator>
#include <mutex>

namespace
{

constexpr const char* kFileName = "Receiver";
constexpr const char* kSourceNames[] = {"auto", "serial", "tcp", "udp", "gpsd"};

std::mutex s_overrideMutex;
SReceiverOverride s_override;

bool IsLineSpeed(int nBaud)
{
    return SpeedOfBaudRate(nBaud) != B0;
}

} // namespace

const char* SourceName(EReceiverSource eSource)
{
    return kSourceNames[static_cast<int>(eSource)];
}

std::optional<EReceiverSource> SourceOfName(const std::string& strName)
{
    for (int n = 0; n < static_cast<int>(std::size(kSourceNames)); ++n)
        if (strName == kSourceNames[n])
            return static_cast<EReceiverSource>(n);
    return std::nullopt;
}

SReceiverChoice SReceiverChoice::Load()
{
    CConfigFile file;
    if (!file.Open(file.MakeFileName(kFileName), CTextFile::EMode::Read))
        return {};
    SReceiverChoice choice;
    std::optional<EReceiverSource> eSource = SourceOfName(file.ReadText());
    choice.m_strDevice = file.ReadText();
    choice.m_nBaud = file.ReadInt();
    choice.m_strHost = file.ReadText();
    choice.m_nPort = file.ReadInt();
    file.Close();

    if (!eSource || (*eSource == EReceiverSource::kSerial && choice.m_strDevice.empty()))
        return {};
    choice.m_eSource = *eSource;
    if (!IsLineSpeed(choice.m_nBaud))
        choice.m_nBaud = 0;
    if (choice.m_nPort < 1 || choice.m_nPort > 65535)
        choice.m_nPort = 0;
    return choice;
}

void SReceiverChoice::Save() const
{
    CConfigFile file;
    if (!file.Open(file.MakeFileName(kFileName), CTextFile::EMode::Write))
        return;
    file.WriteText("Source", SourceName(m_eSource));
    file.WriteText("Device", m_strDevice);
    file.WriteInt("Baud", m_nBaud);
    file.WriteText("Host", m_strHost);
    file.WriteInt("Port", m_nPort);
    file.Close();
}

bool TakeReceiverOption(const std::string& strOption, const std::string& strValue, SReceiverOverride& override)
{
    if (strValue.empty())
        return false;
    if (strOption == "--port")
    {
        override.m_strDevice = strValue;
        return true;
    }
    if (strOption != "--baud")
        return false;
    char* pszEnd = nullptr;
    long nValue = std::strtol(strValue.c_str(), &pszEnd, 10);
    if (*pszEnd != '\0' || nValue <= 0 || nValue > 4000000 || !IsLineSpeed(static_cast<int>(nValue)))
        return false;
    override.m_nBaud = static_cast<int>(nValue);
    return true;
}

void SetReceiverOverride(const SReceiverOverride& override)
{
    std::lock_guard lock(s_overrideMutex);
    s_override = override;
}

SReceiverChoice ReceiverChoiceForThisRun()
{
    SReceiverChoice choice = SReceiverChoice::Load();
    std::lock_guard lock(s_overrideMutex);
    if (s_override.m_network)
        return *s_override.m_network;
    if (!s_override.m_strDevice.empty())
    {
        choice.m_eSource = EReceiverSource::kSerial;
        choice.m_strDevice = s_override.m_strDevice;
        choice.m_nBaud = 0;
    }
    if (s_override.m_nBaud != 0)
        choice.m_nBaud = s_override.m_nBaud;
    return choice;
}
