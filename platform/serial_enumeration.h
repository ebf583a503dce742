#pragma once
// The serial ports present: USB and on-board ports from the udev device database, then the
// registered virtual ports, each with the texts a port listing shows.

#include <stdexcept>
#include <string>
#include <vector>

struct SPortDevice
{
    std::string m_strDevicePath;    // device node, e.g. /dev/ttyUSB0
    std::string m_strFriendlyName;  // "<description> (COM<n>)"
    std::string m_strDescription;   // e.g. "Silicon Labs CP210x USB to UART Bridge"
    std::string m_strLocation;      // begins with "USB" for USB ports
    std::string m_strUsbId;         // "vendor:product" in hex of a USB port, e.g. "1546:01a8"
};

// Raised when the device database cannot be read; the text names the call that failed.
class CPortListError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The description every CP210x bridge gets, whatever its product string says.
inline constexpr const char* kCp210xDescription = "Silicon Labs CP210x USB to UART Bridge";

// The present ports in ascending COM number. Throws CPortListError.
std::vector<SPortDevice> EnumerateSerialDevices();
