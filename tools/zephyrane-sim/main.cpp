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
    "usage: zephyrane-sim [--baud RATE] [--rate LINES] [--loop] [--seed N] [--silent] [FILE]\n"
    "Offers a simulated GPS receiver as a virtual serial port (a CP210x USB to UART bridge)\n"
    "and sends NMEA through it until interrupted. The first line printed names the device\n"
    "node and the COM number.\n"
    "  FILE          replay a recorded NMEA file, one position epoch a second, from the\n"
    "                moment a reader sets the line to RATE; without it, a synthesised\n"
    "                receiver reports every second\n"
    "  --baud RATE   line speed (default 4800); a reader at another speed hears noise\n"
    "  --rate LINES  replay the file at LINES lines a second instead\n"
    "  --loop        start the file over after its last line\n"
    "  --seed N      noise of the synthesised receiver\n"
    "  --silent      send nothing: a receiver without data\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n";

struct SOptions
{
    int m_nBaud = 4800;
    double m_dRate = 0.0;
    bool m_bLoop = false;
    bool m_bSilent = false;
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
        else if (!strArg.starts_with("-") && options.m_strFile.empty())
            options.m_strFile = strArg;
        else
        {
            std::fprintf(stderr, "zephyrane-sim: bad argument %s\n%s", strArg.c_str(), kUsage);
            return false;
        }
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
// heard from its first line on.
bool WaitForReader(const CPseudoTerminal& terminal, speed_t speed)
{
    while (!s_bStop && terminal.LineSpeed() != speed)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return !s_bStop;
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

    CPseudoTerminal terminal;
    if (!terminal.IsOpen())
    {
        std::fputs("zephyrane-sim: cannot open a pseudo-terminal\n", stderr);
        return kExitFailure;
    }
    CVirtualPortRegistration registration(terminal.Device(), kCp210xDescription, "USB virtual receiver (zephyrane-sim)");
    if (registration.Port() == 0)
    {
        std::fprintf(stderr, "zephyrane-sim: cannot register a virtual port in %s\n", VirtualPortsFolder().c_str());
        return kExitFailure;
    }
    std::printf("%s COM%d\n", terminal.Device().c_str(), registration.Port());
    std::fflush(stdout);

    if (pSource && (options.m_strFile.empty() || WaitForReader(terminal, SpeedOfBaudRate(options.m_nBaud))))
    {
        CLinePacer pacer(terminal, options.m_nBaud);
        STimedLine line;
        while (!s_bStop && pSource->Next(pacer.Elapsed(), line))
            pacer.Send(line.m_dDue, line.m_strBytes, s_bStop);
    }
    // A finished recording leaves a receiver that has gone quiet, until interrupted.
    WaitForStop();
    return 0;
}
