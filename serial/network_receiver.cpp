#include "serial/network_receiver.h"

#include "platform/gpsd_source.h"
#include "platform/net_address.h"
#include "platform/tcp_source.h"
#include "platform/udp_source.h"

#include <filesystem>

std::optional<SReceiverChoice> GpsdReadingDevice(const std::string& strDevicePath, const SGpsdAddress& gpsd)
{
    std::error_code error;
    const std::filesystem::path device = std::filesystem::canonical(strDevicePath, error);
    for (const std::string& strPath : CGpsdSource::ListDevices(gpsd.m_strHost, gpsd.m_nPort))
    {
        std::error_code pathError;
        if (strPath == strDevicePath || (!error && std::filesystem::canonical(strPath, pathError) == device))
        {
            SReceiverChoice choice;
            choice.m_eSource = EReceiverSource::kGpsd;
            choice.m_strHost = gpsd.m_strHost;
            choice.m_nPort = gpsd.m_nPort;
            choice.m_strDevice = strPath;
            return choice;
        }
    }
    return std::nullopt;
}

std::string GpsdHoldsPortQuestion(const std::string& strDevicePath)
{
    return "The receiver's port " + strDevicePath + " is in use by gpsd, the system's GPS daemon.\n"
           "Read the receiver through gpsd?";
}

bool IsNetworkSource(EReceiverSource eSource)
{
    return eSource == EReceiverSource::kGpsd || eSource == EReceiverSource::kTcp || eSource == EReceiverSource::kUdp;
}

std::unique_ptr<IByteSource> MakeNetworkSource(const SReceiverChoice& choice, const std::atomic<bool>* pbCancel)
{
    switch (choice.m_eSource)
    {
    case EReceiverSource::kGpsd:
        return std::make_unique<CGpsdSource>(choice.m_strHost.empty() ? kGpsdDefaultHost : choice.m_strHost,
                                             choice.m_nPort > 0 ? choice.m_nPort : kGpsdDefaultPort,
                                             choice.m_strDevice, pbCancel);
    case EReceiverSource::kTcp:
        return std::make_unique<CTcpSource>(choice.m_strHost, choice.m_nPort, pbCancel);
    case EReceiverSource::kUdp:
        return std::make_unique<CUdpSource>(choice.m_strHost, choice.m_nPort, pbCancel);
    default:
        return nullptr;
    }
}

bool IsNetworkReceiverOption(std::string_view arg)
{
    return arg == "--gpsd" || arg == "--tcp" || arg == "--udp";
}

bool TakeNetworkReceiverOption(const std::vector<std::string>& args, size_t& nAt, SReceiverOverride& override,
                               std::string& strError)
{
    const std::string& strOption = args[nAt];
    const bool bValue = nAt + 1 < args.size() && (strOption != "--gpsd" || !args[nAt + 1].starts_with('-'));
    SReceiverChoice choice;
    if (!ParseNetworkReceiver(strOption, bValue ? args[nAt + 1] : std::string(), choice, strError))
        return false;
    if (bValue)
        ++nAt;
    override.m_network = choice;
    return true;
}

bool ParseNetworkReceiver(std::string_view strOption, std::string_view text, SReceiverChoice& choice,
                          std::string& strError)
{
    SReceiverChoice result;
    SNetAddress address;
    if (strOption == "--gpsd")
    {
        result.m_eSource = EReceiverSource::kGpsd;
        if (text.empty())
            text = kGpsdDefaultHost;
        if (!ParseNetAddress(text, kGpsdDefaultPort, true, address))
        {
            strError = "--gpsd takes HOST[:PORT[:DEVICE]], not " + std::string(text);
            return false;
        }
        result.m_strDevice = address.m_strDevice;
    }
    else if (strOption == "--tcp")
    {
        result.m_eSource = EReceiverSource::kTcp;
        if (!ParseNetAddress(text, 0, false, address))
        {
            strError = "--tcp takes HOST:PORT, not " + std::string(text);
            return false;
        }
    }
    else if (strOption == "--udp")
    {
        result.m_eSource = EReceiverSource::kUdp;
        if (!ParsePortNumber(text, address.m_nPort) && !ParseNetAddress(text, 0, false, address))
        {
            strError = "--udp takes [ADDRESS:]PORT, not " + std::string(text);
            return false;
        }
    }
    else
    {
        strError = "not a network receiver option: " + std::string(strOption);
        return false;
    }
    result.m_strHost = address.m_strHost;
    result.m_nPort = address.m_nPort;
    choice = result;
    return true;
}

namespace
{

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

bool NetworkChoiceFromFields(EReceiverSource eKind, std::string_view host, std::string_view port,
                             SReceiverChoice& choice, std::string& strError)
{
    host = Trimmed(host);
    port = Trimmed(port);
    SReceiverChoice result;
    result.m_eSource = eKind;
    result.m_strHost = host;
    bool bGpsd = eKind == EReceiverSource::kGpsd;
    if (!IsNetworkSource(eKind))
        strError = "Choose gpsd, TCP or UDP.";
    else if (host.empty() && eKind == EReceiverSource::kTcp)
        strError = "Enter the host of the TCP server.";
    else if (host.find_first_of(" \t[]/") != std::string_view::npos)
        strError = "Enter a host name or address without spaces, brackets or slashes.";
    else if (port.empty() && bGpsd)
        result.m_nPort = kGpsdDefaultPort;
    else if (!ParsePortNumber(port, result.m_nPort))
        strError = "Enter a port from 1 to 65535.";
    if (!strError.empty())
        return false;
    if (bGpsd && result.m_strHost.empty())
        result.m_strHost = kGpsdDefaultHost;
    choice = result;
    return true;
}
