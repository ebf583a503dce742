#pragma once
// COM numbers of Linux serial devices, 1..256, fixed by the device node so that a port keeps
// its number between runs: /dev/ttyUSB<k> is COM(k+1), /dev/ttyACM<k> COM(k+65),
// /dev/ttyS<k> COM(k+129), and the virtual ports take COM193..COM256. Each family holds 64.

#include <string>

constexpr int kFirstVirtualPort = 193;
constexpr int kLastPort = 256;

// The COM number of a device node of the three fixed families; 0 for any other node.
int ComNumberOfDevice(const std::string& strDeviceNode);

// The device node of a COM number: the fixed families by rule, a virtual port through its
// registration. Empty when the number is out of range or no virtual port has it.
std::string DeviceOfComNumber(int nPort);

// "COM<n>".
std::string ComName(int nPort);
