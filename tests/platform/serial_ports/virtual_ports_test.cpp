#include "platform/com_numbers.h"
#include "platform/hotplug_watcher.h"
#include "platform/serial_enumeration.h"
#include "platform/virtual_ports.h"
#include "tests/support/pty_pair.h"
#include "tests/settings/temp_drives.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>

namespace
{

TEST(ComNumbers, EachFamilyHasItsOwnRange)
{
    EXPECT_EQ(ComNumberOfDevice("/dev/ttyUSB0"), 1);
    EXPECT_EQ(ComNumberOfDevice("/dev/ttyUSB63"), 64);
    EXPECT_EQ(ComNumberOfDevice("/dev/ttyUSB64"), 0);
    EXPECT_EQ(ComNumberOfDevice("/dev/ttyACM2"), 67);
    EXPECT_EQ(ComNumberOfDevice("/dev/ttyS0"), 129);
    EXPECT_EQ(ComNumberOfDevice("/dev/ttyS1x"), 0);
    EXPECT_EQ(ComNumberOfDevice("/dev/ttyUSB"), 0);
    EXPECT_EQ(ComNumberOfDevice("/dev/pts/3"), 0);
    EXPECT_EQ(DeviceOfComNumber(1), "/dev/ttyUSB0");
    EXPECT_EQ(DeviceOfComNumber(128), "/dev/ttyACM63");
    EXPECT_EQ(DeviceOfComNumber(192), "/dev/ttyS63");
    EXPECT_EQ(DeviceOfComNumber(0), "");
    EXPECT_EQ(DeviceOfComNumber(257), "");
}

class VirtualPortsTest : public ::testing::Test
{
protected:
    CTempDrives m_drives;
    CPtyPair m_pty;
};

TEST_F(VirtualPortsTest, RegistrationsTakeTheLowestFreeSlotAndGoAway)
{
    {
        CVirtualPortRegistration first(m_pty.SlavePath(), kCp210xDescription, "USB virtual");
        CVirtualPortRegistration second(m_pty.SlavePath(), "Other", "USB virtual");
        EXPECT_EQ(first.Port(), 193);
        EXPECT_EQ(second.Port(), 194);
        EXPECT_EQ(DeviceOfComNumber(193), m_pty.SlavePath());

        std::vector<SPortDevice> ports = EnumerateSerialDevices();
        ASSERT_GE(ports.size(), 2u);
        const SPortDevice& last = ports[ports.size() - 2];
        EXPECT_EQ(last.m_strFriendlyName, std::string(kCp210xDescription) + " (COM193)");
        EXPECT_EQ(last.m_strDescription, kCp210xDescription);
        EXPECT_EQ(last.m_strLocation, "USB virtual");

        first.Remove();
        CVirtualPortRegistration third(m_pty.SlavePath(), "Third", "");
        EXPECT_EQ(third.Port(), 193);
    }
    EXPECT_TRUE(ListVirtualPorts().empty());
}

TEST_F(VirtualPortsTest, ASlotWhoseDeviceOrProcessHasGoneIsFree)
{
    CreateVirtualPortsFolder();
    std::ofstream(VirtualPortsFolder() + "COM193") << "/dev/pts/zephyrane-gone\nX\nUSB\n";
    EXPECT_FALSE(FindVirtualPort(193));

    // The device exists (another program's terminal), but the process that registered it
    // has gone: the port must not be offered.
    pid_t nChild = fork();
    if (nChild == 0)
        _exit(0);
    waitpid(nChild, nullptr, 0);
    std::ofstream(VirtualPortsFolder() + "COM194") << m_pty.SlavePath() << "\nX\nUSB\n" << nChild << "\n";
    EXPECT_FALSE(FindVirtualPort(194));
    EXPECT_TRUE(ListVirtualPorts().empty());

    CVirtualPortRegistration first(m_pty.SlavePath(), "Sim", "USB");
    CVirtualPortRegistration second(m_pty.SlavePath(), "Sim", "USB");
    EXPECT_EQ(first.Port(), 193);
    EXPECT_EQ(second.Port(), 194);
    EXPECT_EQ(ListVirtualPorts().size(), 2u);
}

// Collects changes until `count` have arrived or the watcher stays quiet for a second.
std::vector<SPortChange> WaitForChanges(CHotplugWatcher& watcher, size_t count)
{
    std::vector<SPortChange> changes;
    pollfd fd{watcher.FileDescriptor(), POLLIN, 0};
    while (changes.size() < count && poll(&fd, 1, 1000) > 0)
        for (SPortChange& change : watcher.TakeChanges())
            changes.push_back(change);
    return changes;
}

// A ports folder that others may write to is not trusted: nothing listed, nothing registered.
TEST_F(VirtualPortsTest, AFolderOthersMayWriteToIsIgnored)
{
    CVirtualPortRegistration port(m_pty.SlavePath(), kCp210xDescription, "USB virtual");
    ASSERT_EQ(port.Port(), 193);
    std::string strFolder = VirtualPortsFolder();
    ASSERT_EQ(chmod(strFolder.c_str(), 0777), 0);
    EXPECT_TRUE(ListVirtualPorts().empty());
    CVirtualPortRegistration refused(m_pty.SlavePath(), kCp210xDescription, "USB virtual");
    EXPECT_EQ(refused.Port(), 0);

    ASSERT_EQ(chmod(strFolder.c_str(), 0700), 0);
    ASSERT_EQ(ListVirtualPorts().size(), 1u);
    std::string strParent = strFolder.substr(0, strFolder.rfind('/', strFolder.size() - 2));
    ASSERT_EQ(chmod(strParent.c_str(), 0757), 0);
    EXPECT_TRUE(ListVirtualPorts().empty());
    ASSERT_EQ(chmod(strParent.c_str(), 0700), 0);
}

TEST_F(VirtualPortsTest, WatcherReportsArrivalAndRemovalByComName)
{
    CHotplugWatcher watcher;
    ASSERT_TRUE(watcher.IsWatching());
    EXPECT_TRUE(watcher.TakeChanges().empty());
    {
        CVirtualPortRegistration registration(m_pty.SlavePath(), kCp210xDescription, "USB");
        std::vector<SPortChange> changes = WaitForChanges(watcher, 1);
        ASSERT_EQ(changes.size(), 1u);
        EXPECT_TRUE(changes[0].m_bArrived);
        EXPECT_EQ(changes[0].m_strPortName, "COM193");
        EXPECT_EQ(changes[0].m_strDevicePath, m_pty.SlavePath());
    }
    std::vector<SPortChange> changes = WaitForChanges(watcher, 1);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_FALSE(changes[0].m_bArrived);
    EXPECT_EQ(changes[0].m_strPortName, "COM193");
}

// A program that registered a port and waits to be ended; the test ends it as a kill would.
class CRegisteringProgram
{
public:
    explicit CRegisteringProgram(const std::string& strDevice)
    {
        m_nPid = fork();
        if (m_nPid == 0)
        {
            pause();
            _exit(0);
        }
        CreateVirtualPortsFolder();
        std::ofstream(VirtualPortsFolder() + "COM193") << strDevice << "\nX\nUSB\n" << m_nPid << "\n";
    }
    ~CRegisteringProgram() { Kill(); }
    void Kill()
    {
        if (m_nPid <= 0)
            return;
        kill(m_nPid, SIGKILL);
        waitpid(m_nPid, nullptr, 0);
        m_nPid = 0;
    }

private:
    pid_t m_nPid = 0;
};

std::vector<std::pair<bool, std::string>> Summary(const std::vector<SPortChange>& changes)
{
    std::vector<std::pair<bool, std::string>> summary;
    for (const SPortChange& change : changes)
        summary.emplace_back(change.m_bArrived, change.m_strPortName);
    return summary;
}

// The watcher announces what the listing shows: nothing from a folder others may write to,
// the removal of a port whose program was killed (its file stays behind), and no removal
// when a registration re-uses such a stale slot, since that port was never listed.
TEST_F(VirtualPortsTest, WatcherAnnouncesOnlyPortsTheListingWouldShow)
{
    using Changes = std::vector<std::pair<bool, std::string>>;
    CRegisteringProgram program(m_pty.SlavePath());
    CHotplugWatcher watcher;
    ASSERT_TRUE(watcher.IsWatching());
    ASSERT_EQ(ListVirtualPorts().size(), 1u);

    program.Kill();
    EXPECT_EQ(Summary(WaitForChanges(watcher, 1)), (Changes{{false, "COM193"}}));

    {
        CVirtualPortRegistration registration(m_pty.SlavePath(), kCp210xDescription, "USB");
        ASSERT_EQ(registration.Port(), 193);
        EXPECT_EQ(Summary(WaitForChanges(watcher, 2)), (Changes{{true, "COM193"}}));
    }
    EXPECT_EQ(Summary(WaitForChanges(watcher, 1)), (Changes{{false, "COM193"}}));

    const std::string strFolder = VirtualPortsFolder();
    ASSERT_EQ(chmod(strFolder.c_str(), 0777), 0);
    std::ofstream(strFolder + "COM194") << m_pty.SlavePath() << "\nX\nUSB\n";
    EXPECT_TRUE(WaitForChanges(watcher, 1).empty());
    ASSERT_EQ(chmod(strFolder.c_str(), 0700), 0);
}

} // namespace
