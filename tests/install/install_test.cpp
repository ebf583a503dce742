// Installs the build into a temporary folder as a package build would (DESTDIR, prefix
// /usr) and checks what a desktop and a user find there.
#include "platform/installation.h"
#include "tests/support/file_text.h"
#include "tests/support/run_command.h"
#include "tests/support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr const char* kAppId = "org.zephyrane.Zephyrane";
const char* const kPrograms[] = {"zephyrane", "zephyrane-sim", "nmea-decode", "chart-render"};
const int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

class InstallTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(m_dest.Path().empty());
        const SCommandRun install =
            RunCommand("DESTDIR='" + m_dest.Path() + "' cmake --install '" ZEP_BINARY_DIR "' --prefix /usr");
        ASSERT_EQ(install.m_nStatus, 0) << install.m_strOut << install.m_strErr;
    }

    fs::path Installed(const std::string& relative) const { return fs::path(m_dest.Path()) / "usr" / relative; }

    static bool HasCommand(const std::string& name)
    {
        return RunCommand("command -v " + name).m_nStatus == 0;
    }

    CTempDir m_dest;
};

// Width and height from a PNG file's header; 0 when it is no PNG.
std::pair<int, int> PngSize(const fs::path& path)
{
    const std::string bytes = ReadFileBytes(path);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0)
        return {0, 0};
    auto word = [&](std::size_t at) {
        int value = 0;
        for (std::size_t i = at; i < at + 4; ++i)
            value = value * 256 + static_cast<unsigned char>(bytes[i]);
        return value;
    };
    return {word(16), word(20)};
}

TEST_F(InstallTest, ProgramsManualsHelperMenuEntryAndIconsStandWhereTheDesktopLooks)
{
    constexpr auto kExecutable = fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    for (const char* program : kPrograms) {
        const fs::path binary = Installed(std::string("bin/") + program);
        EXPECT_EQ(fs::status(binary).permissions() & kExecutable, kExecutable) << binary;
        EXPECT_TRUE(fs::is_regular_file(Installed(std::string("share/man/man1/") + program + ".1"))) << program;
    }
    // The installed program finds its set-up as it finds it at run time.
    const fs::path setup = HelperProgramsFolderOf(Installed("bin/zephyrane").string()) +
                           (sizeof(void*) == 8 ? "CP210xVCPInstaller_x64.exe" : "CP210xVCPInstaller_x86.exe");
    EXPECT_EQ(setup.parent_path(), Installed("libexec/zephyrane"));
    EXPECT_EQ(fs::status(setup).permissions() & kExecutable, kExecutable) << setup;

    EXPECT_TRUE(fs::is_regular_file(Installed("share/applications/" + std::string(kAppId) + ".desktop")));
    EXPECT_TRUE(fs::is_regular_file(Installed("share/metainfo/" + std::string(kAppId) + ".metainfo.xml")));
    EXPECT_TRUE(fs::is_regular_file(Installed("share/icons/hicolor/scalable/apps/" + std::string(kAppId) + ".svg")));
    for (int size : kIconSizes) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_EQ(PngSize(Installed("share/icons/hicolor/" + folder + "/apps/" + kAppId + ".png")),
                  std::make_pair(size, size))
            << folder;
    }
}

TEST_F(InstallTest, ValidatorsAcceptTheMenuEntryTheAppStreamDescriptionAndTheManualPages)
{
    if (!HasCommand("desktop-file-validate") || !HasCommand("appstreamcli") || !HasCommand("man"))
        GTEST_SKIP() << "desktop-file-utils, appstream or man-db is not installed (scripts/install-deps --tests)";

    const SCommandRun desktop =
        RunCommand("desktop-file-validate '" + Installed("share/applications/").string() + kAppId + ".desktop'");
    EXPECT_EQ(desktop.m_nStatus, 0) << desktop.m_strOut << desktop.m_strErr;
    EXPECT_EQ(desktop.m_strOut + desktop.m_strErr, "");

    const SCommandRun metainfo = RunCommand("appstreamcli validate --no-net --explain '" +
                                            Installed("share/metainfo/").string() + kAppId + ".metainfo.xml'");
    EXPECT_EQ(metainfo.m_nStatus, 0) << metainfo.m_strOut << metainfo.m_strErr;

    // As lintian reads them: any roff warning is printed on standard error.
    for (const char* program : kPrograms) {
        const SCommandRun manual =
            RunCommand("LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z '" +
                       Installed(std::string("share/man/man1/") + program + ".1").string() + "'");
        EXPECT_EQ(manual.m_nStatus, 0) << program;
        EXPECT_EQ(manual.m_strErr, "") << program;
    }
}

}  // namespace
