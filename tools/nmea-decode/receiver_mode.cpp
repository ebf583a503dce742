#include "tools/nmea-decode/receiver_mode.h"

#include "platform/prompt.h"
#include "platform/window_messages.h"
#include "serial/messages.h"
#include "serial/network_receiver.h"
#include "serial/receiver_link.h"
#include "tools/nmea-decode/stream_decoder.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>

namespace
{

std::atomic<bool> s_bInterrupted{false};

void OnSignal(int)
{
    s_bInterrupted = true;
}

// Without a screen, a failed start-up is told once, by its outcome, on standard error.
class CSilentPrompt : public IPrompt
{
public:
    void Message(const std::string&, const std::string&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
};

// Says on standard error when the receiver went away and when it came back; returns whether
// it is away now.
bool ReportLinkState(ELinkState eState, bool bWasGone, const CReceiverLink& link)
{
    if (eState == ELinkState::kGone && !bWasGone)
        std::fputs("receiver unplugged\n", stderr);
    else if (eState == ELinkState::kReading && bWasGone)
        std::fprintf(stderr, "receiver back at %d baud\n", link.BaudRate());
    else
        return bWasGone;
    return eState == ELinkState::kGone;
}

void Print(std::string& out)
{
    std::fwrite(out.data(), 1, out.size(), stdout);
    std::fflush(stdout);
    out.clear();
}

} // namespace

int DecodeReceiver(CLineDecoder& decoder, double dSeconds)
{
    struct sigaction action{};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    CMessageQueue window;
    CSilentPrompt prompt;
    CReceiverLink link(window, prompt);
    CReceiverLink::EStart start = link.Start();
    if (start != CReceiverLink::EStart::kStarted)
    {
        std::fprintf(stderr, "%s\n", link.FailureText().c_str());
        return start == CReceiverLink::EStart::kNoReceiver ? kExitNoReceiver : kExitNoData;
    }

    decoder.SkipLines(link.Port().m_nProbeLineFeeds);

    constexpr int kWakeMilliseconds = 100;
    auto end = std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                      std::chrono::duration<double>(dSeconds));
    SLineBuffer buffer;
    std::string out;
    auto decodeRing = [&] {
        {
            std::lock_guard lock(link.Mutex());
            DecodeRingLines(link.Port().m_rx, buffer, decoder, out);
        }
        Print(out);
    };
    // A network receiver whose server ends the connection ends the run, as a missing
    // receiver does; a serial receiver that is unplugged is waited for.
    const bool bNetwork = IsNetworkSource(ReceiverChoiceForThisRun().m_eSource);
    int nStatus = 0;
    bool bWasGone = false;
    while (!s_bInterrupted && (dSeconds <= 0.0 || std::chrono::steady_clock::now() < end))
    {
        std::optional<SPostedMessage> message = window.WaitTake(kWakeMilliseconds);
        if (message && message->m_nMessage == UM_RECEIVE_DATA)
            decodeRing();
        else if (message && message->m_nMessage == UM_LINK_STATE)
        {
            ELinkState eState = static_cast<ELinkState>(message->m_lParam);
            if (bNetwork && eState == ELinkState::kGone)
            {
                std::lock_guard lock(link.Mutex());
                std::fprintf(stderr, "%s: %s\n", link.SourceText().c_str(), link.Port().LastError().c_str());
                nStatus = kExitNoReceiver;
                break;
            }
            bWasGone = ReportLinkState(eState, bWasGone, link);
        }
    }
    // The lines received before the end are printed too.
    link.StopReading();
    decodeRing();
    link.Stop();
    return nStatus;
}
