#pragma once
// The GPS receiver's serial port: its settings, the open source of bytes and the receive
// ring into which every read appends. The source is the serial device of the port's COM
// number or device path, or whatever m_makeSource makes (a network source); the port is
// only ever read, and reads return at once with whatever has arrived.

#include "nmea/rx_ring.h"
#include "platform/byte_source.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
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

    // Opens and configures the device of m_strDevicePath, or of m_nPort when that is empty,
    // with the current settings (or opens what m_makeSource makes). Needs m_bEnabled and a
    // device: a path, a port number in 1..256 or a source maker. On an open port only
    // refreshes the activity time. A device that cannot be opened clears m_bEnabled. True
    // when the port is open.
    bool Open();
    // Closes the source and releases the ring.
    void Close();
    // Closes the source but keeps the ring and what it holds, so that the lines received
    // before a device went away can still be taken.
    void CloseSource() { m_hPort.reset(); }
    bool IsOpen() const { return m_hPort != nullptr; }
    // True once a read has found the source gone (device removed, peer closed); the port
    // stays open, its reads returning 0, until it is closed. Open clears it.
    bool IsGone() const { return m_bGone; }
    // One read of up to kMaxRead bytes into pBuffer (kReadBufferSize bytes), NUL-terminated
    // and appended to the ring. Returns the count; 0 when nothing arrived, the port is
    // closed or the read failed.
    int Read(char* pBuffer);
    // Writes the settings file of the port into the "COM_Ports" settings folder; a file
    // that cannot be written is skipped.
    void SaveSettings();
    // Opens the port at nBaudRate, N,8,1 and listens one second for NMEA text (a '$' and a
    // line feed). On success the port stays open at that rate, its settings are saved and
    // every byte heard after the first line feed is in the ring; otherwise it is closed,
    // not enabled, and keeps its previous baud rate. A set m_pbCancel ends it early, failed.
    bool ProbeBaudRate(int nBaudRate);

    // Takes over another port that was opened off the owner's mutex (by a probe while the
    // link reopens): its source and source maker, line settings, name, activity and ring.
    // The other is left closed.
    void TakeOver(CSerialPort& other);

    // "baud,parity,data bits,stop bits" of the current settings, e.g. "4800,N,8,1".
    std::string DeviceControlString() const;
    // What the port reads: "COM03 at 4800 baud", "/dev/pts/4 at 9600 baud", or the made
    // source's own description.
    std::string Describe() const;
    // The device node this port opens: its chosen path, or the node of its port number.
    std::string DevicePath() const;
    // Why the last Open failed, or why the source went (as a network source says it);
    // empty after a successful Open.
    const std::string& LastError() const { return m_strLastError; }

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
    // The open source; null while the port is closed.
    std::unique_ptr<IByteSource> m_hPort;
    std::string m_strName;
    // The device node to open instead of that of m_nPort (a port chosen by its path).
    std::string m_strDevicePath;
    // Makes the source each Open opens instead of the serial device (a network source),
    // handing it m_pbCancel so that its opening also ends early on a stop.
    std::function<std::unique_ptr<IByteSource>(const std::atomic<bool>*)> m_makeSource;
    // Set from another thread to end a probe, or the opening of a network source, early.
    const std::atomic<bool>* m_pbCancel = nullptr;
    // Line feeds among the bytes the last probe read from the device and dropped: the
    // lines of the stream that never reach the ring, so that a reader can keep counting
    // the stream's lines from where the probe stopped.
    std::uint32_t m_nProbeLineFeeds = 0;

private:
    bool HasDevice() const;
    // "COM03", or the device path of a port chosen by its path.
    std::string PortText() const;
    std::unique_ptr<IByteSource> MakeSource(bool& bDeviceMissing) const;
    bool FailOpen();
    void MarkActivity();
    // Listens for NMEA; on success strAfterFirstLineFeed holds every byte read after the
    // first line feed.
    bool ListenForNmea(std::string& strAfterFirstLineFeed);
    // "COM%02d" of the port number when the name is empty or begins with "COM".
    void NormaliseName();

    bool m_bGone = false;
    std::string m_strLastError;
};
