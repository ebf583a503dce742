#pragma once
// The serial link of a monitor window, from start-up to shut-down, the same for every window
// that shows the receiver's data. Start-up finds the receiver's port, probes it at 4800 and
// then 9600 baud and starts the comms thread; the window then takes lines out of the port's
// ring whenever UM_RECEIVE_DATA arrives. Shut-down stops the thread and waits for it before
// the port closes, so the thread never outlives what it borrows.

#include "nmea/rx_ring.h"
#include "serial/comms_thread.h"
#include "serial/serial_port.h"

#include <memory>
#include <mutex>

class IPrompt;
class IWindowHandle;

inline constexpr const char* kNoReceiverText = "Can't Find Zephyrane";
inline constexpr const char* kNoDataText = "Can't Find Data of Zephyrane";
// The caption of the link's message boxes: the program's name.
inline constexpr const char* kLinkCaption = "Zephyrane";

class CReceiverLink
{
public:
    enum class EStart
    {
        kStarted,     // the thread reads the port
        kNoReceiver,  // no port has the receiver's description
        kNoData       // no NMEA text at 4800 nor at 9600 baud
    };

    // owner receives the thread's messages; prompt shows the failure messages. Both must
    // outlive the link.
    CReceiverLink(IWindowHandle& owner, IPrompt& prompt);
    ~CReceiverLink();
    CReceiverLink(const CReceiverLink&) = delete;
    CReceiverLink& operator=(const CReceiverLink&) = delete;

    // Finds the receiver, probes it and starts the comms thread. A failed search shows
    // "Can't Find Zephyrane" and then, the probes failing at once, "Can't Find Data of
    // Zephyrane"; a failed probe shows the latter. On failure no thread runs and the port is
    // closed; the window ends.
    EStart Start(const SComsPacing& pacing = {});
    // Stops the thread and waits for it; the port stays open, so the lines already in its
    // ring can still be taken. Safe to call more than once.
    void StopReading();
    // Stops the thread, waits for it, then closes the port. Safe to call more than once.
    void Stop();
    bool IsRunning() const { return m_pComms != nullptr; }

    // Takes the oldest complete line out of the port's ring under the link's mutex (see
    // TakeLine); 0 when there is none.
    size_t TakeLine(SLineBuffer& buffer);

    CSerialPort& Port() { return m_port; }
    std::mutex& Mutex() { return m_mutex; }

private:
    IWindowHandle& m_owner;
    IPrompt& m_prompt;
    CSerialPort m_port;
    std::mutex m_mutex;
    std::unique_ptr<CComsThread> m_pComms;
};
