#include "serial/comms_thread.h"

#include "nmea/sentence.h"
#include "serial/messages.h"
#include "serial/serial_port.h"
#include "settings/time_stamp.h"

#include <algorithm>
#include <chrono>

namespace
{

constexpr std::string_view kDollarTypes[] = {"ZDA", "GGA", "GSA", "HCC", "RMC", "HDG", "LOG",
                                             "VTG", "GLL", "TLL", "HDM", "TTM", "HDT", "GSV"};
constexpr std::string_view kBangTypes[] = {"VDM", "VDO"};

template <size_t N>
bool Contains(const std::string_view (&types)[N], std::string_view type)
{
    return std::find(std::begin(types), std::end(types), type) != std::end(types);
}

} // namespace

EDetectVerdict ClassifyDetectionLine(std::string_view line)
{
    if (line.empty() || (line[0] != '$' && line[0] != '!'))
        return EDetectVerdict::kNotNmea;
    std::string_view type = SentenceType(line);
    bool bKnown = line[0] == '$' ? Contains(kDollarTypes, type) : Contains(kBangTypes, type);
    return bKnown ? EDetectVerdict::kRecognised : EDetectVerdict::kUnknown;
}

CComsThread::~CComsThread()
{
    RequestStop();
    Join();
    if (m_pPort)
        m_pPort->Close();
}

void CComsThread::Start()
{
    if (m_thread.joinable())
        return;
    m_thread = std::thread([this] { m_nResult = Run(); });
}

void CComsThread::RequestStop()
{
    {
        std::lock_guard lock(m_pauseMutex);
        m_bStop = true;
    }
    m_wake.notify_all();
}

int CComsThread::Join()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_nResult;
}

void CComsThread::Pause(int nMilliseconds)
{
    std::unique_lock lock(m_pauseMutex);
    m_wake.wait_for(lock, std::chrono::milliseconds(nMilliseconds), [this] { return m_bStop.load(); });
}

void CComsThread::PostToOwner(MessageId nMessage, LParam lParam)
{
    if (m_pOwner)
        m_pOwner->Post(nMessage, m_pPort ? m_pPort->m_nPort : 0, lParam);
}

int CComsThread::Run()
{
    if (!m_pSync)
        return -1;
    {
        std::lock_guard lock(*m_pSync);
        if (m_pPort)
        {
            m_pPort->m_tLastActivity = GetStampSeconds();
            m_pPort->m_bTimeoutReported = false;
        }
    }
    m_nMode = kDetecting;
    char buffer[CSerialPort::kReadBufferSize];
    while (!m_bStop)
    {
        if (m_nMode == kReading)
            ReadPass(buffer);
        else if (m_nMode == kDetecting)
        {
            std::lock_guard lock(*m_pSync);
            if (m_bAutoBaud && m_pPort)
            {
                AutoBaudSearch();
                m_pPort->SaveSettings();
            }
            m_nMode = kReading;
        }
    }
    return 0;
}

void CComsThread::ReadPass(char* pBuffer)
{
    std::unique_lock lock(*m_pSync);
    bool bOpen = m_pPort && m_pPort->IsOpen();
    if (bOpen && m_pPort->Read(pBuffer) > 0)
        PostToOwner(UM_RECEIVE_DATA, reinterpret_cast<LParam>(&m_pPort->m_rx));
    else if (bOpen)
    {
        // Whole seconds, fraction dropped: with 15 the report comes once 16 s have passed.
        long long nSilentSeconds = static_cast<long long>(GetStampSeconds() - m_pPort->m_tLastActivity);
        if (!m_pPort->m_bTimeoutReported && nSilentSeconds > m_pPort->m_nTimeoutInterval)
        {
            m_pPort->m_bTimeoutReported = true;
            PostToOwner(UM_DATA_TIMEOUT, 0);
        }
    }
    lock.unlock();
    if (m_pKeeper)
        m_pKeeper->KeepLink();
    Pause(bOpen || m_pKeeper ? m_pacing.m_nReadPauseMs : m_pacing.m_nClosedPauseMs);
}

void CComsThread::OpenIfNotEnabled()
{
    if (!m_pPort->m_bEnabled)
    {
        m_pPort->m_bEnabled = true;
        m_pPort->Open();
    }
}

void CComsThread::ReopenAt(int nBaudRate)
{
    if (m_pPort->m_bEnabled)
    {
        m_pPort->Close();
        m_pPort->m_bEnabled = false;
    }
    m_pPort->m_nBaudRate = nBaudRate;
    m_pPort->m_rx.Reset();
    OpenIfNotEnabled();
}

// Listens at the port's rate, then at each other rate of the table. The rate the search
// started from is not tried twice.
void CComsThread::AutoBaudSearch()
{
    OpenIfNotEnabled();
    if (DetectSentences())
        return;
    std::int32_t nStartRate = m_pPort->m_nBaudRate;
    for (int nRate : kBaudTable)
    {
        if (nRate == nStartRate)
            continue;
        ReopenAt(nRate);
        if (DetectSentences())
            return;
    }
    if (m_pPort->m_bEnabled)
    {
        m_pPort->Close();
        m_pPort->m_bEnabled = false;
    }
    m_pPort->m_nBaudRate = nStartRate;
    m_pPort->m_rx.Reset();
    PostToOwner(UM_RS232_PORT_FOUND, -1);
}

bool CComsThread::DetectSentences()
{
    m_pPort->m_rx.Reset();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_pacing.m_nDetectWindowMs);
    char buffer[CSerialPort::kReadBufferSize];
    SLineBuffer line;
    while (!m_bStop && std::chrono::steady_clock::now() < deadline)
    {
        Pause(m_pacing.m_nDetectPauseMs);
        if (m_pPort->Read(buffer) <= 0)
            continue;
        while (size_t nLength = TakeLine(m_pPort->m_rx, line))
        {
            std::string_view text(line.data(), nLength);
            EDetectVerdict verdict = ClassifyDetectionLine(text);
            if (verdict == EDetectVerdict::kUnknown)
                return false;
            if (verdict == EDetectVerdict::kRecognised)
            {
                OpenIfNotEnabled();
                m_pPort->SaveSettings();
                PostToOwner(UM_RS232_PORT_FOUND, PackSentenceType(SentenceType(text)));
                return true;
            }
        }
    }
    return false;
}
