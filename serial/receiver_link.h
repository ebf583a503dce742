#pragma once
// The receiver link of a monitor window, from start-up to shut-down, the same for every window
// that shows the receiver's data. Start-up finds the receiver's port as the receiver choice
// says (Receiver.INI, or the command line's override), probes its speed and starts the comms
// thread; the window then takes lines out of the port's ring whenever UM_RECEIVE_DATA
// arrives. Shut-down stops the thread and waits for it before the port closes, so the thread
// never outlives what it borrows.
//
// The link keeps the state the windows show, and heals: when the port's device goes away (a
// read fails, or the hotplug watcher says it left) the port is closed and the link waits for
// it; when it comes back (hotplug, or a retry every second) the link searches and probes again
// as at start-up, without a question, and reading carries on. Every change of state, and each
// second of a silence, is posted to the owner as UM_LINK_STATE; the window then asks State(),
// SilentSeconds(), SourceText() and BaudRate(), which any thread may call.

#include "nmea/rx_ring.h"
#include "serial/comms_thread.h"
#include "serial/network_receiver.h"
#include "serial/serial_port.h"
#include "settings/receiver_choice.h"

#include <array>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

class CHotplugWatcher;
class IPrompt;
class IWindowHandle;

inline constexpr const char* kNoReceiverText = "Can't Find Zephyrane";
inline constexpr const char* kNoDataText = "Can't Find Data of Zephyrane";
// The caption of the link's message boxes: the program's name.
inline constexpr const char* kLinkCaption = "Zephyrane";

// The speeds a probe tries, in this order, stopping at the first that hears NMEA.
inline constexpr std::array<int, 6> kProbeSpeeds = {4800, 9600, 38400, 115200, 19200, 57600};

enum class ELinkState
{
    kStopped,    // no thread reads: before Start, after Stop, or start-up failed
    kReading,    // data comes
    kSilent,     // the port is open but nothing came for longer than its time-out
    kGone,       // the device went away: waiting for it to come back
    kReopening   // the port is back: searching and probing it again
};

class CReceiverLink : private ILinkKeeper
{
public:
    enum class EStart
    {
        kStarted,     // the thread reads the port
        kNoReceiver,  // no port was found
        kNoData       // no NMEA text at any speed tried
    };

    // owner receives the thread's and the link's messages; prompt shows the failure
    // messages. Both must outlive the link.
    CReceiverLink(IWindowHandle& owner, IPrompt& prompt);
    ~CReceiverLink() override;
    CReceiverLink(const CReceiverLink&) = delete;
    CReceiverLink& operator=(const CReceiverLink&) = delete;

    // The receiver to read; without it Start takes ReceiverChoiceForThisRun().
    void SetChoice(const SReceiverChoice& choice) { m_choice = choice; }

    // Finds the receiver, probes it and starts the comms thread. A failed search shows
    // "Can't Find Zephyrane" and then, the probes failing at once, "Can't Find Data of
    // Zephyrane"; a failed probe shows the latter. Each message has a second line naming
    // what was searched or where it listened (FailureText()). On failure no thread runs and
    // the port is closed; the window ends.
    EStart Start(const SComsPacing& pacing = {});
    // Stops the thread and waits for it, then reads what the device still holds; the port
    // stays open, so every line received can still be taken. Safe to call more than once.
    void StopReading();
    // Stops the thread, waits for it, then closes the port. Safe to call more than once.
    void Stop();
    bool IsRunning() const { return m_pComms != nullptr; }

    // Takes the oldest complete line out of the port's ring under the link's mutex (see
    // TakeLine); 0 when there is none.
    size_t TakeLine(SLineBuffer& buffer);

    ELinkState State() const;
    // Whole seconds since data last came, while the state is kSilent; 0 otherwise.
    int SilentSeconds() const;
    // What the link reads: "COM05 at 4800 baud", "/dev/pts/3 at 9600 baud"; empty before a
    // successful start.
    std::string SourceText() const;
    // The speed found by the last successful start or reopening.
    int BaudRate() const;
    // True when the link reads a receiver on the network (gpsd, TCP, UDP); call it from the
    // thread that starts the link.
    bool ReadsNetwork() const { return IsNetworkSource(m_activeChoice.m_eSource); }
    // The first message of the last failed start; empty after a successful one.
    std::string FailureText() const;

    // While the link waits for a gone device, how often it searches again without a hotplug
    // notice; tests shorten it.
    int m_nRetryMs = 1000;
    // Where the system's gpsd listens: a receiver's port that it reads is offered to be
    // read through it. Tests point it at a gpsd of their own.
    SGpsdAddress m_systemGpsd;

    // The port, for the start-up and the window's own use before the thread runs and after
    // it stopped; while the thread runs take lines with TakeLine or under Mutex().
    CSerialPort& Port() { return m_port; }
    std::mutex& Mutex() { return m_mutex; }

private:
    // Sets port to the chosen receiver's port; false, with the message, when it is not there.
    // A network receiver is connected to at once.
    bool Find(CSerialPort& port, std::string& strFailure) const;
    // Opens the chosen network receiver on port; false, with the message naming the source
    // and the reason, when it cannot be reached.
    bool Connect(CSerialPort& port, std::string& strFailure) const;
    // When the system's gpsd reads the port found and the user agrees, reads it through gpsd
    // instead, from now on: true then, with strFailure set when gpsd cannot be reached.
    bool TakeFromGpsd(std::string& strFailure);
    // Probes the chosen speed, or each of kProbeSpeeds; false, with the message, when no
    // speed hears NMEA.
    bool Probe(CSerialPort& port, std::string& strFailure) const;
    void KeepLink() override;
    // Closes a port whose device went away; true when the port is (now) closed.
    bool CloseIfGone(bool bRemoved);
    // Searches and probes again off the mutex, then hands the port over.
    void Reopen();
    void SetState(ELinkState eState, int nSilentSeconds = 0);
    // Notes the port's description and speed for the windows.
    void NoteSource();
    // A copy of one of the members m_stateMutex guards, taken under it.
    template <typename T>
    T Locked(const T& member) const
    {
        std::lock_guard lock(m_stateMutex);
        return member;
    }

    IWindowHandle& m_owner;
    IPrompt& m_prompt;
    CSerialPort m_port;
    std::mutex m_mutex;
    std::unique_ptr<CComsThread> m_pComms;
    std::optional<SReceiverChoice> m_choice;
    SReceiverChoice m_activeChoice;
    std::unique_ptr<CHotplugWatcher> m_pWatcher;
    double m_dNextRetry = 0.0;  // stamp seconds

    mutable std::mutex m_stateMutex;  // guards the members below
    ELinkState m_eState = ELinkState::kStopped;
    int m_nSilentSeconds = 0;
    std::string m_strSource;
    int m_nBaudRate = 0;
    std::string m_strFailure;
};
