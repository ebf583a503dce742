#include "serial/serial_port.h"

#include "platform/c_format.h"
#include "platform/com_numbers.h"
#include "platform/serial_source.h"
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

bool CSerialPort::HasDevice() const
{
    return m_makeSource || !m_strDevicePath.empty() || (m_nPort >= 1 && m_nPort <= kLastPort);
}

std::string CSerialPort::PortText() const
{
    return m_strDevicePath.empty() ? FormatC("COM%02d", m_nPort) : m_strDevicePath;
}

std::string CSerialPort::Describe() const
{
    if (m_hPort)
        return m_hPort->Describe();
    return FormatC("%s at %d baud", PortText().c_str(), m_nBaudRate);
}

std::string CSerialPort::DevicePath() const
{
    return m_strDevicePath.empty() ? DeviceOfComNumber(m_nPort) : m_strDevicePath;
}

std::unique_ptr<IByteSource> CSerialPort::MakeSource(bool& bDeviceMissing) const
{
    if (m_makeSource)
    {
        std::unique_ptr<IByteSource> pSource = m_makeSource(m_pbCancel);
        bDeviceMissing = !pSource->Open();
        return pSource;
    }
    auto pSerial = std::make_unique<CSerialSource>(DevicePath(), PortText(), DeviceControlString(), m_b485HalfDuplex);
    pSerial->Open();
    bDeviceMissing = pSerial->Failure() == CSerialSource::EFailure::kNoDevice;
    return pSerial;
}

bool CSerialPort::Open()
{
    if (!HasDevice() || !m_bEnabled)
        return false;
    if (IsOpen())
    {
        MarkActivity();
        return true;
    }
    bool bDeviceMissing = false;
    std::unique_ptr<IByteSource> pSource = MakeSource(bDeviceMissing);
    m_strLastError = pSource->LastError();
    if (!pSource->IsOpen())
    {
        if (bDeviceMissing)
            m_bEnabled = false;
        return FailOpen();
    }
    m_hPort = std::move(pSource);
    m_bGone = false;
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
    m_hPort.reset();
    m_rx.Release();
}

void CSerialPort::TakeOver(CSerialPort& other)
{
    m_bEnabled = other.m_bEnabled;
    m_nPort = other.m_nPort;
    m_nBaudRate = other.m_nBaudRate;
    m_nParity = other.m_nParity;
    m_nDataBits = other.m_nDataBits;
    m_nStopBits = other.m_nStopBits;
    m_strName = other.m_strName;
    m_strDevicePath = other.m_strDevicePath;
    m_makeSource = other.m_makeSource;
    m_tLastActivity = other.m_tLastActivity;
    m_bTimeoutReported = other.m_bTimeoutReported;
    m_nProbeLineFeeds = other.m_nProbeLineFeeds;
    m_bGone = other.m_bGone;
    m_strLastError = other.m_strLastError;
    m_hPort = std::move(other.m_hPort);
    m_rx.Release();
    m_rx.Swap(other.m_rx);
}

int CSerialPort::Read(char* pBuffer)
{
    if (!IsOpen())
        return 0;
    long nRead = m_hPort->Read(pBuffer, kMaxRead);
    if (nRead < 0)
    {
        m_bGone = true;
        m_strLastError = m_hPort->LastError();
    }
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
        m_strName = FormatC("COM%02d", m_nPort);
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

// Reads straight from the source, past the ring, for one second. NMEA text is there once
// the text holds a '$' and a line feed; complete lines without them are dropped as they go.
// Every byte after the first line feed is kept aside as well, so that the ring can start
// with the first whole line the receiver sent.
bool CSerialPort::ListenForNmea(std::string& strAfterFirstLineFeed)
{
    constexpr size_t kTextSize = 4096;
    constexpr size_t kChunk = 79;
    constexpr int kWaitMilliseconds = 10;
    std::string strText;
    bool bLineFeedSeen = false;
    char chunk[kChunk + 1];
    double dStart = GetStampSeconds();
    while (static_cast<long long>((GetStampSeconds() - dStart) * 1000.0) <= kProbeMilliseconds &&
           !(m_pbCancel && *m_pbCancel))
    {
        long nRead = m_hPort->Read(chunk, kChunk);
        if (nRead <= 0)
        {
            m_hPort->WaitForData(kWaitMilliseconds);
            continue;
        }
        size_t nKeepFrom = 0;
        if (!bLineFeedSeen)
        {
            nKeepFrom = static_cast<size_t>(std::find(chunk, chunk + nRead, '\n') - chunk);
            bLineFeedSeen = nKeepFrom < static_cast<size_t>(nRead);
            nKeepFrom += bLineFeedSeen ? 1 : 0;
        }
        strAfterFirstLineFeed.append(chunk + nKeepFrom, chunk + nRead);
        m_nProbeLineFeeds += static_cast<std::uint32_t>(std::count(chunk, chunk + nKeepFrom, '\n'));
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
    std::string strHeard;
    bool bFound = ListenForNmea(strHeard);
    NormaliseName();
    m_bEnabled = false;
    if (bFound)
    {
        m_bEnabled = true;
        Open();
        m_rx.Append(strHeard.data(), strHeard.size());
        SaveSettings();
        return true;
    }
    Close();
    m_nBaudRate = nPreviousBaudRate;
    return false;
}
