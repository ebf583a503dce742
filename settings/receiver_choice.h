#pragma once
// Which receiver the monitor windows read, kept in "Receiver.INI" in the settings folder:
// five lines in this order, Source (auto, serial, tcp, udp or gpsd), Device (a device path
// or COMn), Baud (0: find the speed by probing), Host and Port. A missing file or a line
// that makes no sense gives the automatic search. Options given on the command line
// override the file for one run and never write it.

#include <optional>
#include <string>

enum class EReceiverSource
{
    kAuto,    // the CP210x receiver, else a known GNSS receiver or cable
    kSerial,  // the serial port m_strDevice
    kTcp,
    kUdp,
    kGpsd
};

struct SReceiverChoice
{
    EReceiverSource m_eSource = EReceiverSource::kAuto;
    std::string m_strDevice;  // a device path or "COMn"
    int m_nBaud = 0;          // 0: probe the speeds
    std::string m_strHost;
    int m_nPort = 0;

    // The file's choice; the automatic search when the file is missing or makes no sense.
    static SReceiverChoice Load();
    // Writes the file; a file that cannot be written is skipped.
    void Save() const;

    bool operator==(const SReceiverChoice&) const = default;
};

// "auto", "serial", "tcp", "udp", "gpsd"; and back, nothing for another word.
const char* SourceName(EReceiverSource eSource);
std::optional<EReceiverSource> SourceOfName(const std::string& strName);

// What the command line said for this run: a port (device path or COMn) and a speed, or a
// receiver on the network.
struct SReceiverOverride
{
    std::string m_strDevice;
    int m_nBaud = 0;
    std::optional<SReceiverChoice> m_network;
};

// Takes the command-line option "--port DEVICE" or "--baud N" (a speed a serial line
// offers) with its value into override; false for any other option or a bad value.
bool TakeReceiverOption(const std::string& strOption, const std::string& strValue, SReceiverOverride& override);

// Sets the command line's override for the rest of the run.
void SetReceiverOverride(const SReceiverOverride& override);
// The choice for this run: the file's, with the command line's override applied. A port on
// the command line chooses that serial port (at the given speed, or probed); a speed alone
// keeps the file's source and skips its probe. A network receiver on the command line is
// the choice, whatever else it says.
SReceiverChoice ReceiverChoiceForThisRun();
