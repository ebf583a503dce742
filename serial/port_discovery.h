#pragma once
// The serial ports present, as the COM ports window lists them, and the search for the GPS
// receiver, which is recognised by its bridge's device description alone.

#include "platform/serial_enumeration.h"

#include <cstdint>
#include <string>
#include <vector>

struct SSerInfo
{
    int16_t m_nPort = 0;            // the number after "(COM" in the friendly name, else 0
    std::string m_strDevicePath;    // device node
    std::string m_strPortName;      // e.g. "COM5"; "COM?" when the friendly name holds no "(COM"
    std::string m_strFriendlyName;  // cleaned up, e.g. "COM1" from "Communications Port (COM1)"
    bool m_bUsbDevice = false;
    std::string m_strDescription;
    std::string m_strUsbId;         // "vendor:product" of a USB port, else empty
};

// The listing entry of one present port; empty friendly name or description leave the port out
// of a listing (returns false).
bool MakeSerInfo(const SPortDevice& device, SSerInfo& info);

// Empties ports and fills it with the present ports; returns their count. Throws
// CPortListError, whose text names the failed call, when the ports cannot be listed.
int ListSerialPorts(std::vector<SSerInfo>& ports);

// The port number of the first listed port whose description is the CP210x bridge's (case
// does not matter), or 0 when there is none or the ports cannot be listed.
int FindReceiverPort();

// True for the USB ids of a receiver or cable made for GNSS (docs/serial-link.md lists them).
bool IsKnownGnssUsbId(const std::string& strUsbId);
// The port number of the first listed port whose USB ids are a known GNSS receiver or
// cable, or 0.
int FindKnownGnssPort();

// The port the automatic search takes: the CP210x receiver, else a known GNSS receiver or
// cable; 0 when there is none.
int FindReceiverPortAutomatically();

// A port chosen by the user, "COMn" or a device path, when it is present: its COM number
// (0 for a device without one) and its device node. False when it is not there.
struct SChosenPort
{
    int m_nPort = 0;
    std::string m_strDevicePath;
};
bool FindChosenPort(const std::string& strDevice, SChosenPort& port);
