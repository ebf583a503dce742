#pragma once
// A serial device opened by its node, read without ever blocking. The system never writes
// to the device.

#include <cstddef>
#include <string>
#include <termios.h>

// The termios speed of a baud rate; B0 for a rate the line does not offer.
speed_t SpeedOfBaudRate(int nBaudRate);

// Fills tio from a device-control string "baud,parity,data bits,stop bits" (e.g. "4800,N,8,1";
// parity one of N O E M S, mark and space through CMSPAR) in raw mode with reads that return
// at once. False, tio unchanged, when any part is not one a serial line can take.
bool ControlStringToTermios(const std::string& strControl, termios& tio);

class CSerialDevice
{
public:
    CSerialDevice() = default;
    ~CSerialDevice();
    CSerialDevice(const CSerialDevice&) = delete;
    CSerialDevice& operator=(const CSerialDevice&) = delete;

    // Opens the node for exclusive use. False when it does not exist, cannot be opened or is
    // already in use.
    bool Open(const std::string& strDevicePath);
    bool IsOpen() const { return m_nFd >= 0; }
    // True when the open node is a terminal (a serial device).
    bool IsTerminal() const;
    // Applies a device-control string (see ControlStringToTermios); discards input received
    // before. RS-485 half duplex is asked for when b485HalfDuplex is set, and its
    // refusal is ignored. False when the string is rejected or cannot be applied.
    bool Configure(const std::string& strControl, bool b485HalfDuplex);
    // Reads what has arrived, up to nMax bytes. Returns the count, 0 when nothing arrived,
    // -1 when the read failed or the line hung up (the device went away).
    long Read(void* pBuffer, size_t nMax);
    // Waits up to nMilliseconds for bytes to arrive; true when there are some to read.
    bool WaitForData(int nMilliseconds) const;
    void Close();

private:
    int m_nFd = -1;
};
