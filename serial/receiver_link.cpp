#include "serial/receiver_link.h"

#include "platform/prompt.h"
#include "serial/port_discovery.h"

CReceiverLink::CReceiverLink(IWindowHandle& owner, IPrompt& prompt)
    : m_owner(owner)
    , m_prompt(prompt)
{
}

CReceiverLink::~CReceiverLink()
{
    Stop();
}

CReceiverLink::EStart CReceiverLink::Start(const SComsPacing& pacing)
{
    Stop();
    EStart result = EStart::kStarted;
    int nPort = FindReceiverPort();
    if (nPort != 0)
        m_port.m_nPort = static_cast<std::uint16_t>(nPort);
    else
    {
        m_prompt.Message(kNoReceiverText, kLinkCaption);
        m_port.m_nPort = 0;
        m_port.Close();
        m_port.m_bEnabled = false;
        result = EStart::kNoReceiver;
    }
    // Without a port number both probes fail at once, so a missing receiver also reports
    // that no data came.
    if (!m_port.ProbeBaudRate(4800) && !m_port.ProbeBaudRate(9600))
    {
        m_prompt.Message(kNoDataText, kLinkCaption);
        if (result == EStart::kStarted)
            result = EStart::kNoData;
    }
    if (result != EStart::kStarted)
    {
        m_port.Close();
        return result;
    }

    m_pComms = std::make_unique<CComsThread>();
    m_pComms->m_pPort = &m_port;
    m_pComms->m_pSync = &m_mutex;
    m_pComms->m_pOwner = &m_owner;
    m_pComms->m_pacing = pacing;
    m_pComms->Start();
    return result;
}

void CReceiverLink::StopReading()
{
    if (m_pComms)
    {
        m_pComms->RequestStop();
        m_pComms->Join();
    }
}

void CReceiverLink::Stop()
{
    StopReading();
    // The thread object closes the port it borrowed as it goes.
    m_pComms.reset();
    std::lock_guard lock(m_mutex);
    m_port.Close();
}

size_t CReceiverLink::TakeLine(SLineBuffer& buffer)
{
    std::lock_guard lock(m_mutex);
    return ::TakeLine(m_port.m_rx, buffer);
}
