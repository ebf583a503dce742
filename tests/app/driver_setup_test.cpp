// The driver set-up in the build tree's helper folder, where the build tree's program looks
// for it, run in its dry-run mode: it must say what it would install and never change the
// system.
#include "platform/installation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

struct SRun {
    std::string strOutput;
    int nExitCode = -1;
};

SRun RunSetup(const std::string& strArgs)
{
    const std::string name = sizeof(void*) == 8 ? "CP210xVCPInstaller_x64.exe" : "CP210xVCPInstaller_x86.exe";
    const std::string command = "'" + HelperProgramsFolderOf(ZEP_BINARY_DIR "/app/zephyrane") + name + "' " + strArgs + " </dev/null 2>&1";
    SRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr) {
        run.strOutput += buffer;
    }
    const int status = pclose(pipe);
    run.nExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(DriverSetup, WithoutQuestionsItInstallsTheAccessRuleAndReloadsUdev)
{
    const SRun run = RunSetup("/A --dry-run");
    EXPECT_EQ(run.nExitCode, 0) << run.strOutput;
    EXPECT_NE(run.strOutput.find("cp210x driver:"), std::string::npos) << run.strOutput;
    if (run.strOutput.find("already installed") != std::string::npos) {
        GTEST_SKIP() << "the rule is installed on this computer";
    }
    EXPECT_NE(run.strOutput.find("Would write /etc/udev/rules.d/70-zephyrane-cp210x.rules"), std::string::npos);
    EXPECT_NE(run.strOutput.find("ATTRS{idVendor}==\"10c4\""), std::string::npos);
    EXPECT_NE(run.strOutput.find("TAG+=\"uaccess\""), std::string::npos);
    EXPECT_NE(run.strOutput.find("ENV{ID_MM_DEVICE_IGNORE}=\"1\""), std::string::npos);
    EXPECT_NE(run.strOutput.find("Would run: udevadm control --reload-rules"), std::string::npos);
    EXPECT_NE(run.strOutput.find("Would run: udevadm trigger"), std::string::npos);
}

TEST(DriverSetup, WithoutASwitchAndNoTerminalItAsksForTheQuietSwitch)
{
    const SRun run = RunSetup("--dry-run");
    if (run.strOutput.find("already installed") != std::string::npos) {
        GTEST_SKIP() << "the rule is installed on this computer";
    }
    EXPECT_EQ(run.nExitCode, 1);
    EXPECT_NE(run.strOutput.find("Run with /A"), std::string::npos) << run.strOutput;
    EXPECT_EQ(run.strOutput.find("Would write"), std::string::npos);
}

TEST(DriverSetup, RefusesUnknownArguments)
{
    EXPECT_EQ(RunSetup("/A --dry-run --force").nExitCode, 2);
}

}  // namespace
