#include "tools/nmea-decode/receiver_mode.h"

#include "platform/prompt.h"
#include "platform/window_messages.h"
#include "serial/messages.h"
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
    switch (link.Start())
    {
    case CReceiverLink::EStart::kNoReceiver:
        std::fprintf(stderr, "%s\n", kNoReceiverText);
        return kExitNoReceiver;
    case CReceiverLink::EStart::kNoData:
        std::fprintf(stderr, "%s\n", kNoDataText);
        return kExitNoData;
    case CReceiverLink::EStart::kStarted:
        break;
    }

    decoder.SkipLines(link.Port().m_nProbeLineFeeds);

    constexpr int kWakeMilliseconds = 100;
    auto end = std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                      std::chrono::duration<double>(dSeconds));
    SLineBuffer buffer;
    std::string out;
    while (!s_bInterrupted && (dSeconds <= 0.0 || std::chrono::steady_clock::now() < end))
    {
        std::optional<SPostedMessage> message = window.WaitTake(kWakeMilliseconds);
        if (!message || message->m_nMessage != UM_RECEIVE_DATA)
            continue;
        {
            std::lock_guard lock(link.Mutex());
            DecodeRingLines(link.Port().m_rx, buffer, decoder, out);
        }
        Print(out);
    }
    link.Stop();
    return 0;
}
