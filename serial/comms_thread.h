#pragma once
// The worker thread of a monitor window's serial link. It polls the window's port, appends
// what arrives to the port's ring under the window's mutex, and tells the window by posted
// messages: UM_RECEIVE_DATA after each read that returned bytes, UM_DATA_TIMEOUT once per
// silence longer than the port's time-out. It starts with one detection pass, which only
// listens for NMEA at a list of baud rates when auto-baud is on.

#include "platform/window_messages.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <thread>

class CSerialPort;

// The rates an auto-baud search tries after the port's own, in this order.
inline constexpr std::array<int, 6> kBaudTable = {9600, 38400, 4800, 19200, 57600, 115200};

// What a detection pass makes of one line: a line that begins neither with '$' nor with '!'
// is passed over; otherwise its type is one of the fourteen '$' types a receiver sends or
// the two AIS '!' types, or it is unknown.
enum class EDetectVerdict
{
    kNotNmea,
    kRecognised,
    kUnknown
};
EDetectVerdict ClassifyDetectionLine(std::string_view line);

// The side of the owner that keeps a link alive: it watches the port's state and reopens
// a port whose device went away. The thread calls it after every read step, without the
// owner's mutex; while the port is closed the thread then keeps its reading pace.
class ILinkKeeper
{
public:
    virtual ~ILinkKeeper() = default;
    virtual void KeepLink() = 0;
};

// How the thread paces itself; tests shorten the pauses.
struct SComsPacing
{
    int m_nReadPauseMs = 100;      // between reads
    int m_nClosedPauseMs = 1000;   // while the port is closed
    int m_nDetectPauseMs = 10;     // between reads of a detection window
    int m_nDetectWindowMs = 1000;  // length of one detection window
};

class CComsThread
{
public:
    enum EMode
    {
        kReading = 0,
        kDetecting = 1
    };

    CComsThread() = default;
    // Stops and joins the thread if it runs, then closes the borrowed port.
    ~CComsThread();
    CComsThread(const CComsThread&) = delete;
    CComsThread& operator=(const CComsThread&) = delete;

    // Runs Run on a new thread, once. The owner sets the borrowed pointers before.
    void Start();
    // Sets m_bStop and wakes the thread from its pause.
    void RequestStop();
    // Waits for the thread to end; the result of Run, or 0 when it never ran.
    int Join();

    // The thread body: -1 at once without a mutex, else 0 once m_bStop is seen.
    int Run();
    // One listening window at the port's current rate: true when a recognised sentence type
    // is the first NMEA line to arrive.
    bool DetectSentences();

    CSerialPort* m_pPort = nullptr;      // borrowed from the owner
    IWindowHandle* m_pOwner = nullptr;   // borrowed from the owner
    ILinkKeeper* m_pKeeper = nullptr;    // borrowed; none: a closed port is only waited on
    std::mutex* m_pSync = nullptr;       // the owner's mutex
    std::atomic<int> m_nMode{kDetecting};
    std::atomic<bool> m_bStop{false};
    bool m_bAutoBaud = false;
    SComsPacing m_pacing;

private:
    void ReadPass(char* pBuffer);
    void AutoBaudSearch();
    // Switches the port to nBaudRate and opens it there.
    void ReopenAt(int nBaudRate);
    void OpenIfNotEnabled();
    // Sleeps nMilliseconds, less when a stop is requested.
    void Pause(int nMilliseconds);
    void PostToOwner(MessageId nMessage, LParam lParam);

    std::thread m_thread;
    std::mutex m_pauseMutex;
    std::condition_variable m_wake;
    int m_nResult = 0;
};
