#pragma once
// Receivers reached over the network, as the receiver choice names them: gpsd (Host, Port,
// and optionally one of its devices in Device), a TCP server (Host, Port) or UDP datagrams
// (Port, and in Host the local address to listen on, empty for every interface). The
// command line and the network receiver dialog name them the same way.

#include "platform/byte_source.h"
#include "platform/net_address.h"
#include "settings/receiver_choice.h"

#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// True for gpsd, TCP and UDP.
bool IsNetworkSource(EReceiverSource eSource);

// The source the choice names; null when it names no network receiver. A set *pbCancel ends
// the source's opening early (see CTcpSource).
std::unique_ptr<IByteSource> MakeNetworkSource(const SReceiverChoice& choice,
                                               const std::atomic<bool>* pbCancel = nullptr);

// Reads a network receiver as the command line writes it: strOption is "--gpsd"
// ([HOST[:PORT[:DEVICE]]], empty for localhost:2947), "--tcp" (HOST:PORT) or "--udp"
// ([ADDRESS:]PORT). False, with strError saying why, for text that names none.
bool ParseNetworkReceiver(std::string_view strOption, std::string_view text, SReceiverChoice& choice,
                          std::string& strError);

// True for "--gpsd", "--tcp" and "--udp".
bool IsNetworkReceiverOption(std::string_view arg);
// Takes the network receiver option at args[nAt] and its value (gpsd's may be left out)
// into override.m_network; nAt then points at the last argument taken. False, with strError
// saying why, for a value that names no receiver.
bool TakeNetworkReceiverOption(const std::vector<std::string>& args, size_t& nAt, SReceiverOverride& override,
                               std::string& strError);

// The network receiver dialog's fields as typed: the kind (gpsd, TCP or UDP), the host and
// the port. gpsd's host and port may stay empty (localhost, 2947), UDP's host too (every
// interface). False, with strError saying what to type, when the fields name no receiver.
bool NetworkChoiceFromFields(EReceiverSource eKind, std::string_view host, std::string_view port,
                             SReceiverChoice& choice, std::string& strError);

// gpsd and the serial search: a receiver's port that gpsd reads is busy for everyone else
// (gpsd opens it for exclusive use), but its sentences can be had from gpsd.
struct SGpsdAddress
{
    std::string m_strHost = kGpsdDefaultHost;
    int m_nPort = kGpsdDefaultPort;
};
// The gpsd reading strDevicePath (under that name or another that leads to the same
// device node), as a receiver choice; nothing when that gpsd does not read it or does not
// answer.
std::optional<SReceiverChoice> GpsdReadingDevice(const std::string& strDevicePath, const SGpsdAddress& gpsd);
// The question asked when it does, for the device path.
std::string GpsdHoldsPortQuestion(const std::string& strDevicePath);

// The help lines of the three options, for the programs' usage texts.
inline constexpr const char* kNetworkOptionsHelp =
    "  --gpsd [HOST[:PORT[:DEVICE]]]\n"
    "               read the receiver through gpsd (default localhost:2947), optionally\n"
    "               only its device DEVICE\n"
    "  --tcp HOST:PORT\n"
    "               read NMEA text from a TCP server\n"
    "  --udp [ADDRESS:]PORT\n"
    "               read NMEA datagrams sent to PORT (on every interface unless an address\n"
    "               of this machine is given)\n";
