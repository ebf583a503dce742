#pragma once
// The program's command line. Options of its own start with "--"; every other argument
// (Qt's "-platform xcb", "-style Fusion"...) is left to the toolkit. The help text lists
// every option; extend it and the parser together (the manual page lists them too).
#include "serial/network_receiver.h"
#include "settings/receiver_choice.h"

#include <string>
#include <vector>

inline const std::string kZephyraneHelp = std::string(
    "usage: zephyrane [OPTION...]\n"
    "Opens the launcher of the desktop monitor for a USB GPS receiver: the serial ports,\n"
    "the NMEA monitor, the satellite view, the data logger and the driver set-up.\n"
    "The monitor windows read the receiver named by these options for this run:\n"
    "  --port DEVICE\n"
    "               read the receiver on this serial port for this run (a device path\n"
    "               such as /dev/ttyACM0, or COMn), whatever the settings choose\n"
    "  --baud N     read the receiver at N baud without probing the other speeds\n") +
    kNetworkOptionsHelp +
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n";

struct SZephyraneCommandLine
{
    bool m_bHelp = false;
    bool m_bVersion = false;
    SReceiverOverride m_receiver;  // --port, --baud, --gpsd, --tcp, --udp
    // Why the command line was refused; empty when it was read.
    std::string m_strError;
};

SZephyraneCommandLine ParseZephyraneCommandLine(const std::vector<std::string>& args);
