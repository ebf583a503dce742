#include "serial/serial_port.h"

#include "platform/com_numbers.h"
#include "settings/config_file.h"
#include "settings/storage.h"
#include "settings/time_stamp.h"

#include <algorithm>
#include <cstdio>

namespace
{

constexpr char kParityLetters[] = "NOEMS";

bool IsParityIndex(std::int32_t nParity)
{
    return nParity >= 0 && nParity < 5;
}

} // namespace

CSerialPort::CSerialPort()
    : m_tLastActivity(GetStampSeconds())
{
}

std::string CSerialPort::DeviceControlString() const
{
    // An index outside "NOEMS" gives a letter the device layer rejects.
    char cParity = IsParityIndex(m_nParity) ? kParityLetters[m_nParity] : '?';
    char szControl[64];
    std::snprintf(szControl, sizeof szControl, "%d,%c,%d,%d", m_nBaudRate, cParity, m_nDataBits, m_nStopBits);
    return szControl;
}

void CSerialPort::MarkActivity()
{
    m_tLastActivity = GetStampSeconds();
    m_bTimeoutReported = false;
}

bool CSerialPort::Open()
{
    if (m_nPort < 1 || m_nPort > kLastPort || !m_bEnabled)
        return false;
    if (IsOpen())
    {
        MarkActivity();
        return true;
    }
    std::string strDevice = DeviceOfComNumber(m_nPort);
    if (strDevice.empty() || !m_hPort.Open(strDevice))
    {
        m_bEnabled = false;
        return FailOpen();
    }
    if (!m_hPort.IsTerminal() || !m_hPort.Configure(DeviceControlString(), m_b485HalfDuplex))
        return FailOpen();
    m_rx.Release();
    m_rx.Allocate();
    MarkActivity();
    return true;
}

bool CSerialPort::FailOpen()
{
    Close();
    return false;
}

void CSerialPort::Close()
{
    m_hPort.Close();
    m_rx.Release();
}

int CSerialPort::Read(char* pBuffer)
{
    if (!IsOpen())
        return 0;
    long nRead = m_hPort.Read(pBuffer, kMaxRead);
    if (nRead <= 0)
        return 0;
    pBuffer[nRead] = '\0';
    if (!m_rx.HasStorage())
        m_rx.Allocate();
    m_rx.Append(pBuffer, static_cast<size_t>(nRead));
    MarkActivity();
    return static_cast<int>(nRead);
}

void CSerialPort::NormaliseName()
{
    if (m_strName.empty() || m_strName.starts_with("COM"))
    {
        char szName[16];
        std::snprintf(szName, sizeof szName, "COM%02d", m_nPort);
        m_strName = szName;
    }
}

void CSerialPort::SaveSettings()
{
    CConfigFile file;
    std::string strFolder = GetSettingsFolder("COM_Ports");
    if (m_strName.empty())
    {
        if (!file.OpenForWrite(strFolder, "COM_PORT"))
            return;
        file.WriteShort("Port", m_nPort);
        file.WriteInt("Baudrate", m_nBaudRate);
        file.WriteParity(IsParityIndex(m_nParity) ? kParityLetters[m_nParity] : 'N');
        file.WriteShort("Data Bits", m_nDataBits);
        file.WriteShort("Stop Bits", m_nStopBits);
    }
    else
    {
        NormaliseName();
        if (!file.OpenForWrite(strFolder, m_strName))
            return;
        file.WriteInt("Port Number", m_nPort);
        file.WriteBool("Status", m_bEnabled);
        file.WriteInt("Baud Rate", m_nBaudRate);
        file.WriteInt("Parity", m_nParity);
        file.WriteInt("Data Bits", m_nDataBits);
        file.WriteInt("Stop Bits", m_nStopBits);
        file.WriteBool("485 Half Duplex", m_b485HalfDuplex);
        file.WriteInt("Term Char", m_cTermChar);
        file.WriteBool("Check Sum", m_bCheckSum);
        file.WriteInt("TimeoutInterval", static_cast<std::int32_t>(m_nTimeoutInterval));
        file.WriteUInt("Mapping", m_nMapping);
    }
    file.Close();
}

// Reads straight from the device, past the ring, for one second. NMEA text is there once
// the text holds a '$' and a line feed; complete lines without them are dropped as they go.
bool CSerialPort::ListenForNmea()
{
    constexpr size_t kTextSize = 4096;
    constexpr size_t kChunk = 79;
    constexpr int kWaitMilliseconds = 10;
    std::string strText;
    char chunk[kChunk + 1];
    double dStart = GetStampSeconds();
    while (static_cast<long long>((GetStampSeconds() - dStart) * 1000.0) <= kProbeMilliseconds)
    {
        long nRead = m_hPort.Read(chunk, kChunk);
        if (nRead <= 0)
        {
            m_hPort.WaitForData(kWaitMilliseconds);
            continue;
        }
        m_nProbeLineFeeds += static_cast<std::uint32_t>(std::count(chunk, chunk + nRead, '\n'));
        if (strText.size() + static_cast<size_t>(nRead) >= kTextSize - 1)
            continue;
        strText.append(chunk, static_cast<size_t>(nRead));
        if (strText.find('$') != std::string::npos && strText.find('\n') != std::string::npos)
            return true;
        size_t nLineFeed = strText.find('\n');
        if (nLineFeed != std::string::npos && nLineFeed + 1 < strText.size())
            strText.erase(0, nLineFeed + 1);
    }
    return false;
}

bool CSerialPort::ProbeBaudRate(int nBaudRate)
{
    std::int32_t nPreviousBaudRate = m_nBaudRate;
    m_nParity = 0;
    m_nBaudRate = nBaudRate;
    m_nDataBits = 8;
    m_nStopBits = 1;
    m_bEnabled = true;
    if (!Open())
    {
        m_nBaudRate = nPreviousBaudRate;
        return false;
    }
    m_nProbeLineFeeds = 0;
    bool bFound = ListenForNmea();
    NormaliseName();
    m_bEnabled = false;
    if (bFound)
    {
        m_bEnabled = true;
        Open();
        SaveSettings();
        return true;
    }
    Close();
    m_nBaudRate = nPreviousBaudRate;
    return false;
}
