#include "serial/receiver_link.h"

#include "platform/com_numbers.h"
#include "platform/hotplug_watcher.h"
#include "platform/prompt.h"
#include "serial/messages.h"
#include "serial/network_receiver.h"
#include "serial/port_discovery.h"
#include "settings/time_stamp.h"

#include <algorithm>
#include <vector>

namespace
{

// "4800, 9600 and 38400".
std::string SpeedList(const std::vector<int>& speeds)
{
    std::string strList;
    for (size_t n = 0; n < speeds.size(); ++n)
    {
        if (n > 0)
            strList += n + 1 == speeds.size() ? " and " : ", ";
        strList += std::to_string(speeds[n]);
    }
    return strList;
}

// The settings file name of a port known only by its node: "/dev/pts/3" gives "pts_3".
std::string NameOfDevicePath(std::string strPath)
{
    if (strPath.starts_with("/dev/"))
        strPath.erase(0, 5);
    std::replace(strPath.begin(), strPath.end(), '/', '_');
    return strPath;
}

} // namespace

CReceiverLink::CReceiverLink(IWindowHandle& owner, IPrompt& prompt)
    : m_owner(owner)
    , m_prompt(prompt)
{
}

CReceiverLink::~CReceiverLink()
{
    Stop();
}

bool CReceiverLink::Connect(CSerialPort& port, std::string& strFailure) const
{
    port.m_nPort = 0;
    port.m_strDevicePath.clear();
    port.m_makeSource = [choice = m_activeChoice](const std::atomic<bool>* pbCancel) {
        return MakeNetworkSource(choice, pbCancel);
    };
    port.m_bEnabled = true;
    port.m_nProbeLineFeeds = 0;
    if (port.Open())
        return true;
    strFailure = std::string(kNoReceiverText) + "\n" + MakeNetworkSource(m_activeChoice)->Describe() + ": " +
                 port.LastError();
    return false;
}

bool CReceiverLink::Find(CSerialPort& port, std::string& strFailure) const
{
    if (IsNetworkSource(m_activeChoice.m_eSource))
        return Connect(port, strFailure);
    SChosenPort chosen;
    bool bFound;
    std::string strSearched;
    if (m_activeChoice.m_eSource == EReceiverSource::kSerial)
    {
        bFound = FindChosenPort(m_activeChoice.m_strDevice, chosen);
        strSearched = "the chosen port " + m_activeChoice.m_strDevice;
    }
    else
    {
        chosen.m_nPort = FindReceiverPortAutomatically();
        bFound = chosen.m_nPort != 0;
        strSearched = "a CP210x USB to UART Bridge, then a known GNSS receiver or cable (u-blox and others)";
    }
    if (!bFound)
    {
        strFailure = std::string(kNoReceiverText) + "\nSearched for " + strSearched;
        return false;
    }
    port.m_nPort = static_cast<std::uint16_t>(chosen.m_nPort);
    port.m_strDevicePath = chosen.m_nPort == 0 ? chosen.m_strDevicePath : std::string();
    if (chosen.m_nPort == 0)
        port.m_strName = NameOfDevicePath(chosen.m_strDevicePath);
    return true;
}

bool CReceiverLink::TakeFromGpsd(std::string& strFailure)
{
    if (IsNetworkSource(m_activeChoice.m_eSource))
        return false;
    const std::string strDevice = m_port.DevicePath();
    std::optional<SReceiverChoice> gpsd = GpsdReadingDevice(strDevice, m_systemGpsd);
    if (!gpsd || !m_prompt.AskYesNo(GpsdHoldsPortQuestion(strDevice), kLinkCaption))
        return false;
    m_activeChoice = *gpsd;
    strFailure.clear();
    Connect(m_port, strFailure);
    return true;
}

bool CReceiverLink::Probe(CSerialPort& port, std::string& strFailure) const
{
    // A network receiver has no speed; Connect opened it.
    if (IsNetworkSource(m_activeChoice.m_eSource))
        return true;
    std::vector<int> speeds(kProbeSpeeds.begin(), kProbeSpeeds.end());
    if (m_activeChoice.m_nBaud != 0)
        speeds = {m_activeChoice.m_nBaud};
    for (int nSpeed : speeds)
        if (port.ProbeBaudRate(nSpeed))
            return true;
    std::string strPort = port.Describe();
    strPort.erase(strPort.find(" at "));
    strFailure = std::string(kNoDataText) + "\nListened on " + strPort + " at " + SpeedList(speeds) + " baud";
    return false;
}

CReceiverLink::EStart CReceiverLink::Start(const SComsPacing& pacing)
{
    Stop();
    m_activeChoice = m_choice ? *m_choice : ReceiverChoiceForThisRun();
    std::vector<std::string> failures;
    std::string strFailure;
    EStart result = EStart::kStarted;
    bool bFound = Find(m_port, strFailure);
    if (bFound && TakeFromGpsd(strFailure))
        bFound = strFailure.empty();
    if (!bFound)
    {
        // Without a port nothing can be heard either.
        failures = {strFailure, kNoDataText};
        result = EStart::kNoReceiver;
    }
    else if (!Probe(m_port, strFailure))
    {
        failures = {strFailure};
        result = EStart::kNoData;
    }
    {
        std::lock_guard lock(m_stateMutex);
        m_strFailure = failures.empty() ? std::string() : failures.front();
    }
    for (const std::string& strText : failures)
        m_prompt.Message(strText, kLinkCaption);
    if (result != EStart::kStarted)
    {
        m_port.Close();
        m_port.m_bEnabled = false;
        return result;
    }

    m_pWatcher = std::make_unique<CHotplugWatcher>();
    NoteSource();
    SetState(ELinkState::kReading);
    m_pComms = std::make_unique<CComsThread>();
    m_pComms->m_pPort = &m_port;
    m_pComms->m_pSync = &m_mutex;
    m_pComms->m_pOwner = &m_owner;
    m_pComms->m_pKeeper = this;
    m_pComms->m_pacing = pacing;
    m_pComms->Start();
    return result;
}

void CReceiverLink::StopReading()
{
    if (!m_pComms)
        return;
    m_pComms->RequestStop();
    m_pComms->Join();
    // What the device received since the thread's last read joins the ring as well.
    std::lock_guard lock(m_mutex);
    char buffer[CSerialPort::kReadBufferSize];
    while (m_port.Read(buffer) > 0)
    {
    }
}

void CReceiverLink::Stop()
{
    StopReading();
    // The thread object closes the port it borrowed as it goes.
    m_pComms.reset();
    m_pWatcher.reset();
    {
        std::lock_guard lock(m_mutex);
        m_port.Close();
    }
    // The owner may be going away: the end of the link is not posted.
    std::lock_guard lock(m_stateMutex);
    m_eState = ELinkState::kStopped;
    m_nSilentSeconds = 0;
}

size_t CReceiverLink::TakeLine(SLineBuffer& buffer)
{
    std::lock_guard lock(m_mutex);
    return ::TakeLine(m_port.m_rx, buffer);
}

void CReceiverLink::KeepLink()
{
    bool bRemoved = false;
    bool bArrived = false;
    for (const SPortChange& change : m_pWatcher->TakeChanges())
    {
        // Serial ports coming and going say nothing about a network receiver.
        if (IsNetworkSource(m_activeChoice.m_eSource))
            continue;
        if (change.m_bArrived)
            bArrived = true;
        else if (change.m_strDevicePath == m_port.m_strDevicePath ||
                 (m_port.m_nPort != 0 && change.m_strPortName == ComName(m_port.m_nPort)))
            bRemoved = true;
    }
    if (!CloseIfGone(bRemoved))
        return;
    double dNow = GetStampSeconds();
    if (bArrived || dNow >= m_dNextRetry)
    {
        m_dNextRetry = dNow + m_nRetryMs / 1000.0;
        Reopen();
    }
}

bool CReceiverLink::CloseIfGone(bool bRemoved)
{
    std::lock_guard lock(m_mutex);
    if (!m_port.IsOpen())
        return true;
    if (m_port.IsGone() || bRemoved)
    {
        m_port.CloseSource();
        m_dNextRetry = GetStampSeconds() + m_nRetryMs / 1000.0;
        SetState(ELinkState::kGone);
        return true;
    }
    int nSilentSeconds = m_port.m_bTimeoutReported ? static_cast<int>(GetStampSeconds() - m_port.m_tLastActivity) : 0;
    SetState(m_port.m_bTimeoutReported ? ELinkState::kSilent : ELinkState::kReading, nSilentSeconds);
    return false;
}

void CReceiverLink::Reopen()
{
    CSerialPort probe;
    probe.m_pbCancel = &m_pComms->m_bStop;
    probe.m_nTimeoutInterval = m_port.m_nTimeoutInterval;
    std::string strFailure;
    if (!Find(probe, strFailure))
        return;
    SetState(ELinkState::kReopening);
    if (!Probe(probe, strFailure))
    {
        SetState(ELinkState::kGone);
        return;
    }
    {
        std::lock_guard lock(m_mutex);
        m_port.TakeOver(probe);
        // The probe hands on what it heard after its first line feed.
        if (m_port.m_rx.Unread() > 0)
            m_owner.Post(UM_RECEIVE_DATA, m_port.m_nPort, reinterpret_cast<LParam>(&m_port.m_rx));
    }
    NoteSource();
    SetState(ELinkState::kReading);
}

void CReceiverLink::NoteSource()
{
    std::lock_guard lock(m_stateMutex);
    m_strSource = m_port.Describe();
    m_nBaudRate = m_port.m_nBaudRate;
}

void CReceiverLink::SetState(ELinkState eState, int nSilentSeconds)
{
    {
        std::lock_guard lock(m_stateMutex);
        if (m_eState == eState && m_nSilentSeconds == nSilentSeconds)
            return;
        m_eState = eState;
        m_nSilentSeconds = nSilentSeconds;
    }
    m_owner.Post(UM_LINK_STATE, m_port.m_nPort, static_cast<LParam>(eState));
}

ELinkState CReceiverLink::State() const
{
    return Locked(m_eState);
}

int CReceiverLink::SilentSeconds() const
{
    return Locked(m_nSilentSeconds);
}

std::string CReceiverLink::SourceText() const
{
    return Locked(m_strSource);
}

int CReceiverLink::BaudRate() const
{
    return Locked(m_nBaudRate);
}

std::string CReceiverLink::FailureText() const
{
    return Locked(m_strFailure);
}
