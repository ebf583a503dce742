// zephyrane-sim: a simulated GPS receiver. It offers a pseudo-terminal as a virtual serial
// port with the description of the receiver's USB bridge, so that Zephyrane finds and reads
// it as it would a receiver, and writes NMEA into it: a recorded file or a synthesised
// receiver, at the pace of a serial line.
#include "platform/clock.h"
#include "platform/installation.h"
#include "platform/serial_enumeration.h"
#include "platform/virtual_ports.h"
#include "tools/zephyrane-sim/line_pacer.h"
#include "tools/zephyrane-sim/pseudo_terminal.h"
#include "tools/zephyrane-sim/recorded_source.h"
#include "tools/zephyrane-sim/synthetic_receiver.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <thread>

namespace
{

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr const char* kUsage =
    "usage: zephyrane-sim [--baud RATE] [--rate LINES] [--loop] [--seed N] [--silent]\n"
    "                     [--unplug-after S1 --replug-after S2] [FILE]\n"
    "Offers a simulated GPS receiver as a virtual serial port (a CP210x USB to UART bridge)\n"
    "and sends NMEA through it until interrupted. The first line printed names the device\n"
    "node and the COM number.\n"
    "  FILE          replay a recorded NMEA file, one position epoch a second, from the\n"
    "                moment a reader sets the line to RATE; lines that begin with '#' are\n"
    "                comments and are not sent. Without it, a synthesised receiver\n"
    "                reports every second\n"
    "  --baud RATE   line speed (default 4800): 4800, 9600, 19200, 38400, 57600, 115200\n"
    "                or another the line offers; a reader at another speed hears noise\n"
    "  --rate LINES  replay the file at LINES lines a second instead\n"
    "  --loop        start the file over after its last line\n"
    "  --seed N      noise of the synthesised receiver\n"
    "  --silent      send nothing: a receiver without data\n"
    "  --unplug-after S1 --replug-after S2\n"
    "                after sending for S1 seconds the port goes away as on an unplugged\n"
    "                cable (its device node goes); S2 seconds later it comes back under\n"
    "                the same COM number, printing its new line, and the sending carries\n"
    "                on where it stopped\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n";

struct SOptions
{
    int m_nBaud = 4800;
    double m_dRate = 0.0;
    bool m_bLoop = false;
    bool m_bSilent = false;
    double m_dUnplugAfter = 0.0;  // 0: stays plugged in
    double m_dReplugAfter = 0.0;
    std::uint32_t m_nSeed = std::random_device{}();
    std::string m_strFile;
};

std::atomic<bool> s_bStop{false};

void OnSignal(int)
{
    s_bStop = true;
}

bool ParseNumber(const char* pszText, double& dValue)
{
    char* pszEnd = nullptr;
    dValue = std::strtod(pszText, &pszEnd);
    return pszEnd != pszText && *pszEnd == '\0';
}

bool ParseOptions(int argc, char** argv, SOptions& options)
{
    for (int i = 1; i < argc; ++i)
    {
        std::string strArg = argv[i];
        bool bHasValue = i + 1 < argc;
        double dValue = 0.0;
        if (strArg == "--help" || strArg == "-h")
        {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        else if (strArg == "--version")
        {
            std::printf("zephyrane-sim %s\n", ProgramVersion());
            std::exit(0);
        }
        else if (strArg == "--loop")
            options.m_bLoop = true;
        else if (strArg == "--silent")
            options.m_bSilent = true;
        else if (strArg == "--baud" && bHasValue && ParseNumber(argv[++i], dValue) && SpeedOfBaudRate(static_cast<int>(dValue)) != B0 &&
                 dValue == static_cast<int>(dValue))
            options.m_nBaud = static_cast<int>(dValue);
        else if (strArg == "--rate" && bHasValue && ParseNumber(argv[++i], dValue) && dValue > 0.0)
            options.m_dRate = dValue;
        else if (strArg == "--seed" && bHasValue && ParseNumber(argv[++i], dValue) && dValue >= 0.0)
            options.m_nSeed = static_cast<std::uint32_t>(dValue);
        else if (strArg == "--unplug-after" && bHasValue && ParseNumber(argv[++i], dValue) && dValue > 0.0)
            options.m_dUnplugAfter = dValue;
        else if (strArg == "--replug-after" && bHasValue && ParseNumber(argv[++i], dValue) && dValue > 0.0)
            options.m_dReplugAfter = dValue;
        else if (!strArg.starts_with("-") && options.m_strFile.empty())
            options.m_strFile = strArg;
        else
        {
            std::fprintf(stderr, "zephyrane-sim: bad argument %s\n%s", strArg.c_str(), kUsage);
            return false;
        }
    }
    if ((options.m_dUnplugAfter > 0.0) != (options.m_dReplugAfter > 0.0))
    {
        std::fprintf(stderr, "zephyrane-sim: --unplug-after and --replug-after go together\n%s", kUsage);
        return false;
    }
    return true;
}

std::unique_ptr<ILineSource> MakeSource(const SOptions& options)
{
    if (options.m_strFile.empty())
        return std::make_unique<CSyntheticReceiver>(UtcNow(), options.m_nSeed);
    std::ifstream file(options.m_strFile, std::ios::binary);
    if (!file)
    {
        std::fprintf(stderr, "zephyrane-sim: cannot open %s\n", options.m_strFile.c_str());
        return nullptr;
    }
    std::string strBytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return std::make_unique<CRecordedSource>(CRecordedSource::SplitLines(strBytes), options.m_dRate, options.m_bLoop);
}

void WaitForStop()
{
    while (!s_bStop)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

// A recording starts when a reader has set the line to the simulator's speed, so that it is
// heard from its first line on; a synthesised receiver starts at once.
bool WaitForReader(const CPseudoTerminal& terminal, const SOptions& options)
{
    if (options.m_strFile.empty())
        return true;
    const speed_t speed = SpeedOfBaudRate(options.m_nBaud);
    while (!s_bStop && terminal.LineSpeed() != speed)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return !s_bStop;
}

// The simulator's port: a pseudo-terminal registered as a virtual CP210x port, which can be
// unplugged (its registration and its device node go) and plugged in again.
class CSimulatedPort
{
public:
    // Opens a pseudo-terminal, registers it and prints "<device node> COM<n>"; false after
    // saying why it could not.
    bool Plug()
    {
        m_pTerminal = std::make_unique<CPseudoTerminal>();
        if (!m_pTerminal->IsOpen())
        {
            std::fputs("zephyrane-sim: cannot open a pseudo-terminal\n", stderr);
            return false;
        }
        m_pRegistration = std::make_unique<CVirtualPortRegistration>(m_pTerminal->Device(), kCp210xDescription,
                                                                     "USB virtual receiver (zephyrane-sim)");
        if (m_pRegistration->Port() == 0)
        {
            std::fprintf(stderr, "zephyrane-sim: cannot register a virtual port in %s\n", VirtualPortsFolder().c_str());
            return false;
        }
        std::printf("%s COM%d\n", m_pTerminal->Device().c_str(), m_pRegistration->Port());
        std::fflush(stdout);
        return true;
    }
    // The registration goes first, as a removed device leaves the port list before its node
    // is gone; closing the pseudo-terminal then removes the node.
    void Unplug()
    {
        m_pRegistration.reset();
        m_pTerminal.reset();
    }
    CPseudoTerminal& Terminal() { return *m_pTerminal; }

private:
    std::unique_ptr<CPseudoTerminal> m_pTerminal;
    std::unique_ptr<CVirtualPortRegistration> m_pRegistration;
};

// Unplugs the port, waits, plugs it in again and lets the pacer carry on through it once a
// recording's reader is back. False when stopped meanwhile or the port cannot come back.
bool UnplugAndReplug(CSimulatedPort& port, const SOptions& options, CLinePacer& pacer)
{
    auto unplugged = std::chrono::steady_clock::now();
    port.Unplug();
    while (!s_bStop && std::chrono::steady_clock::now() - unplugged < std::chrono::duration<double>(options.m_dReplugAfter))
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (s_bStop || !port.Plug() || !WaitForReader(port.Terminal(), options))
        return false;
    pacer.Resume(port.Terminal(), std::chrono::duration<double>(std::chrono::steady_clock::now() - unplugged).count());
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    SOptions options;
    if (!ParseOptions(argc, argv, options))
        return kExitUsage;
    std::unique_ptr<ILineSource> pSource = options.m_bSilent ? nullptr : MakeSource(options);
    if (!options.m_bSilent && !pSource)
        return kExitFailure;

    struct sigaction action{};
    action.sa_handler = OnSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    CSimulatedPort port;
    if (!port.Plug())
        return kExitFailure;

    if (pSource && WaitForReader(port.Terminal(), options))
    {
        CLinePacer pacer(port.Terminal(), options.m_nBaud);
        bool bUnplugPending = options.m_dUnplugAfter > 0.0;
        STimedLine line;
        while (!s_bStop && pSource->Next(pacer.Elapsed(), line))
        {
            if (bUnplugPending && line.m_dDue >= options.m_dUnplugAfter)
            {
                bUnplugPending = false;
                if (!UnplugAndReplug(port, options, pacer))
                    break;
            }
            pacer.Send(line.m_dDue, line.m_strBytes, s_bStop);
        }
    }
    // A finished recording leaves a receiver that has gone quiet, until interrupted.
    WaitForStop();
    return 0;
}
