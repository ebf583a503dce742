#pragma once
// The GPS receiver's serial port: its settings, the open device and the receive ring into
// which every read appends. The port is only ever read; reads return at once with whatever
// has arrived.

#include "nmea/rx_ring.h"
#include "platform/serial_device.h"

#include <cstdint>
#include <string>

class CSerialPort
{
public:
    // Read returns at most this many bytes; its buffer must hold one more for the NUL.
    static constexpr int kMaxRead = 2048;
    static constexpr int kReadBufferSize = kMaxRead + 1;
    // How long a probe listens for NMEA text.
    static constexpr int kProbeMilliseconds = 1000;

    CSerialPort();

    // Opens and configures the device of m_nPort with the current settings. Needs
    // m_bEnabled and a port number in 1..256. On an open port only refreshes the activity
    // time. A device that cannot be opened clears m_bEnabled. True when the port is open.
    bool Open();
    // Closes the device and releases the ring.
    void Close();
    bool IsOpen() const { return m_hPort.IsOpen(); }
    // One read of up to kMaxRead bytes into pBuffer (kReadBufferSize bytes), NUL-terminated
    // and appended to the ring. Returns the count; 0 when nothing arrived, the port is
    // closed or the read failed.
    int Read(char* pBuffer);
    // Writes the settings file of the port into the "COM_Ports" settings folder; a file
    // that cannot be written is skipped.
    void SaveSettings();
    // Opens the port at nBaudRate, N,8,1 and listens one second for NMEA text (a '$' and a
    // line feed). On success the port stays open at that rate and its settings are saved;
    // otherwise it is closed, not enabled, and keeps its previous baud rate.
    bool ProbeBaudRate(int nBaudRate);

    // "baud,parity,data bits,stop bits" of the current settings, e.g. "4800,N,8,1".
    std::string DeviceControlString() const;

    bool m_bEnabled = false;
    std::uint16_t m_nPort = 0;
    std::int32_t m_nBaudRate = 9600;
    std::int32_t m_nParity = 0;  // index into "NOEMS"
    std::int32_t m_nDataBits = 8;
    std::int32_t m_nStopBits = 1;
    bool m_b485HalfDuplex = false;
    std::uint8_t m_cTermChar = 10;
    std::uint32_t m_nTimeoutInterval = 15;  // seconds of silence before a time-out report
    bool m_bCheckSum = true;
    double m_tLastActivity = 0.0;           // stamp seconds
    bool m_bTimeoutReported = false;
    std::uint32_t m_nMapping = 0;
    SRxRing m_rx;
    CSerialDevice m_hPort;
    std::string m_strName;
    // Line feeds among the bytes the last probe read from the device and dropped: the
    // lines of the stream that never reach the ring, so that a reader can keep counting
    // the stream's lines from where the probe stopped.
    std::uint32_t m_nProbeLineFeeds = 0;

private:
    bool FailOpen();
    void MarkActivity();
    bool ListenForNmea();
    // "COM%02d" of the port number when the name is empty or begins with "COM".
    void NormaliseName();
};
