// nmea-decode: decodes NMEA 0183 text through the receive ring, line framing and sentence
// decoders of the monitor, and prints one JSON object per line (or a summary).
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/installation.h"
#include "platform/program_name.h"
#include "serial/network_receiver.h"
#include "settings/receiver_choice.h"
#include "tools/nmea-decode/line_decoder.h"
#include "tools/nmea-decode/receiver_mode.h"
#include "tools/nmea-decode/stream_decoder.h"

namespace {

constexpr int kExitUnreadable = 2;
constexpr std::size_t kReadSize = 64 * 1024;
constexpr std::size_t kFlushSize = 256 * 1024;

const std::string kUsage = std::string(
    "usage: nmea-decode [--raw] [--summary] [--sky] [FILE...]\n"
    "       nmea-decode [--raw] [--summary] [--sky] --receiver [--port DEVICE] [--baud N] [--seconds N]\n"
    "                   [--gpsd [HOST[:PORT[:DEVICE]]] | --tcp HOST:PORT | --udp [ADDRESS:]PORT]\n"
    "Decodes NMEA 0183 text from the files in order (standard input when none or \"-\"),\n"
    "or from the GPS receiver, and prints one JSON object per line.\n"
    "  --raw        add the line as received\n"
    "  --summary    print only the counts of lines and decoded lines per type and of\n"
    "               checksum failures\n"
    "  --sky        after the stream, print the satellites in view of every system as\n"
    "               the monitor's sky plot shows them, with the counts in view and used\n"
    "  --receiver   find the receiver, probe its speed (4800, 9600, 38400, 115200, 19200,\n"
    "               57600 baud) and decode its lines as they arrive, until interrupted;\n"
    "               exit status 3 when there is no receiver, 4 when it sends no data. When\n"
    "               the receiver is unplugged it waits for it and reads on when it is back,\n"
    "               saying so on standard error\n"
    "  --port DEVICE\n"
    "               read this serial port (a device path such as /dev/ttyACM0, or COMn)\n"
    "               instead of the receiver choice of the settings\n"
    "  --baud N     read at N baud without probing the other speeds\n"
    "  --seconds N  stop reading the receiver after N seconds\n") +
    kNetworkOptionsHelp +
    "               a connection refused or closed by the server ends with exit status 3\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n";

struct SCommandLine
{
    CLineDecoder::SOptions m_options;
    std::vector<std::string> m_files;
    bool m_bHelp = false;
    bool m_bVersion = false;
    bool m_bReceiver = false;
    double m_dSeconds = 0.0;  // 0: until interrupted
    SReceiverOverride m_override;
};

// A positive number of seconds; false for anything else.
bool ParseSeconds(const char* pszText, double& dSeconds)
{
    char* pszEnd = nullptr;
    dSeconds = std::strtod(pszText, &pszEnd);
    return pszEnd != pszText && *pszEnd == '\0' && dSeconds > 0.0;
}

// Reads the options; false (after telling why) for an unknown one.
bool ParseCommandLine(int argc, char** argv, SCommandLine& commandLine)
{
    const std::vector<std::string> args(argv, argv + argc);
    bool bOptionsDone = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (bOptionsDone || arg == "-" || !arg.starts_with('-'))
            commandLine.m_files.emplace_back(arg);
        else if (arg == "--")
            bOptionsDone = true;
        else if (arg == "--raw")
            commandLine.m_options.m_bRaw = true;
        else if (arg == "--summary")
            commandLine.m_options.m_bSummary = true;
        else if (arg == "--sky")
            commandLine.m_options.m_bSky = true;
        else if (arg == "--receiver")
            commandLine.m_bReceiver = true;
        else if (arg == "--seconds" && i + 1 < argc && ParseSeconds(argv[i + 1], commandLine.m_dSeconds))
            ++i;
        else if (i + 1 < argc && TakeReceiverOption(argv[i], argv[i + 1], commandLine.m_override))
            ++i;
        else if (IsNetworkReceiverOption(arg)) {
            std::string strError;
            size_t nAt = static_cast<size_t>(i);
            if (!TakeNetworkReceiverOption(args, nAt, commandLine.m_override, strError)) {
                std::fprintf(stderr, "nmea-decode: %s\n%s", strError.c_str(), kUsage.c_str());
                return false;
            }
            i = static_cast<int>(nAt);
        }
        else if (arg == "--help" || arg == "-h")
            commandLine.m_bHelp = true;
        else if (arg == "--version")
            commandLine.m_bVersion = true;
        else {
            std::fprintf(stderr, "nmea-decode: unknown option %s\n%s", argv[i], kUsage.c_str());
            return false;
        }
    }
    if (!commandLine.m_bReceiver && (!commandLine.m_override.m_strDevice.empty() || commandLine.m_override.m_nBaud != 0 ||
                                     commandLine.m_override.m_network)) {
        std::fprintf(stderr, "nmea-decode: --port, --baud, --gpsd, --tcp and --udp need --receiver\n%s", kUsage.c_str());
        return false;
    }
    if (commandLine.m_bReceiver && !commandLine.m_files.empty()) {
        std::fprintf(stderr, "nmea-decode: --receiver reads no files\n%s", kUsage.c_str());
        return false;
    }
    if (commandLine.m_files.empty())
        commandLine.m_files.emplace_back("-");
    return true;
}

void Flush(std::string& out)
{
    std::fwrite(out.data(), 1, out.size(), stdout);
    out.clear();
}

// Decodes one file ("-" for standard input); false when it could not be opened or read.
bool DecodeFile(const std::string& name, CStreamDecoder& stream, std::string& out)
{
    const bool bStdin = name == "-";
    std::FILE* pFile = bStdin ? stdin : std::fopen(name.c_str(), "rb");
    if (!pFile) {
        std::fprintf(stderr, "nmea-decode: cannot open %s: %s\n", name.c_str(), std::strerror(errno));
        return false;
    }
    std::vector<char> chunk(kReadSize);
    bool bOk = true;
    while (const std::size_t n = std::fread(chunk.data(), 1, chunk.size(), pFile)) {
        stream.Feed(chunk.data(), n, out);
        if (out.size() >= kFlushSize)
            Flush(out);
    }
    if (std::ferror(pFile)) {
        std::fprintf(stderr, "nmea-decode: cannot read %s: %s\n",
                     bStdin ? "standard input" : name.c_str(), std::strerror(errno));
        bOk = false;
    }
    if (!bStdin)
        std::fclose(pFile);
    return bOk;
}

// What follows the stream: the summary and the sky, each when asked for.
void WriteEndObjects(const CLineDecoder& decoder, const CLineDecoder::SOptions& options, std::string& out)
{
    if (options.m_bSummary)
        decoder.WriteSummary(out);
    if (options.m_bSky)
        decoder.WriteSky(out);
}

}  // namespace

int main(int argc, char** argv)
{
    SCommandLine commandLine;
    if (!ParseCommandLine(argc, argv, commandLine))
        return kExitUnreadable;
    if (commandLine.m_bHelp) {
        std::fputs(kUsage.c_str(), stdout);
        return 0;
    }
    if (commandLine.m_bVersion) {
        std::printf("nmea-decode %s\n", ProgramVersion());
        return 0;
    }

    CLineDecoder decoder(commandLine.m_options);
    std::string out;
    if (commandLine.m_bReceiver) {
        SetProgramName(argv[0]);
        SetReceiverOverride(commandLine.m_override);
        const int nStatus = DecodeReceiver(decoder, commandLine.m_dSeconds);
        if (nStatus == 0)
            WriteEndObjects(decoder, commandLine.m_options, out);
        Flush(out);
        return nStatus;
    }

    CStreamDecoder stream(decoder);
    out.reserve(2 * kFlushSize);

    // The files make one stream, as if received one after the other; an unreadable one is
    // reported and skipped.
    bool bAllRead = true;
    for (const std::string& name : commandLine.m_files)
        bAllRead = DecodeFile(name, stream, out) && bAllRead;

    WriteEndObjects(decoder, commandLine.m_options, out);
    Flush(out);
    return bAllRead ? 0 : kExitUnreadable;
}
