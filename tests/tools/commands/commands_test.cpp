// Every program answers --help and --version without a display, and its help and its manual
// page name the same options, so that an option added to one and not the other is caught.
#include "tests/support/file_text.h"
#include "tests/support/run_command.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

namespace {

struct SProgram
{
    const char* m_pszName;
    const char* m_pszPath;
};

const SProgram kPrograms[] = {
    {"zephyrane", ZEPHYRANE_PATH},
    {"zephyrane-sim", ZEPHYRANE_SIM_PATH},
    {"nmea-decode", NMEA_DECODE_PATH},
    {"chart-render", CHART_RENDER_PATH},
};

// Runs the program with the arguments, without any display.
SCommandRun RunProgram(const SProgram& program, const std::string& args)
{
    return RunCommand(std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '") + program.m_pszPath +
                      "' " + args);
}

// The long options ("--name") a text names; pattern's first group is the name, in which
// backslashes (roff's "\-") are dropped.
std::set<std::string> LongOptions(const std::string& text, const std::regex& pattern)
{
    std::set<std::string> options;
    for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it) {
        std::string name = (*it)[1].str();
        std::erase(name, '\\');
        options.insert("--" + name);
    }
    return options;
}

TEST(Commands, HelpAndManualPageNameTheSameOptions)
{
    for (const SProgram& program : kPrograms) {
        const SCommandRun help = RunProgram(program, "--help");
        EXPECT_EQ(help.m_nStatus, 0) << program.m_pszName << help.m_strErr;
        EXPECT_TRUE(help.m_strOut.starts_with(std::string("usage: ") + program.m_pszName)) << help.m_strOut;
        const std::string manual =
            ReadFileBytes(std::string(ZEP_SOURCE_DIR "/docs/man/") + program.m_pszName + ".1.in");
        ASSERT_FALSE(manual.empty()) << program.m_pszName;

        const std::set<std::string> helpOptions = LongOptions(help.m_strOut, std::regex(R"(--([a-z][a-z0-9-]*))"));
        EXPECT_TRUE(helpOptions.contains("--help") && helpOptions.contains("--version")) << program.m_pszName;
        // Roff writes a hyphen as "\-".
        EXPECT_EQ(LongOptions(manual, std::regex(R"(\\-\\-([a-z][a-z0-9\\-]*[a-z0-9]))")), helpOptions)
            << program.m_pszName;
    }
}

TEST(Commands, VersionIsTheProjectsAndUnknownOptionsAreRefused)
{
    for (const SProgram& program : kPrograms) {
        const SCommandRun version = RunProgram(program, "--version");
        EXPECT_EQ(version.m_nStatus, 0) << program.m_pszName << version.m_strErr;
        EXPECT_EQ(version.m_strOut, std::string(program.m_pszName) + " " ZEP_VERSION "\n");

        const SCommandRun unknown = RunProgram(program, "--no-such-option");
        EXPECT_EQ(unknown.m_nStatus, 2) << program.m_pszName;
        EXPECT_TRUE(unknown.m_strOut.empty()) << program.m_pszName;
        EXPECT_NE(unknown.m_strErr.find("usage: "), std::string::npos) << program.m_pszName << unknown.m_strErr;
    }
}

}  // namespace
