#include "platform/serial_enumeration.h"

#include "platform/com_numbers.h"
#include "platform/virtual_ports.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <libudev.h>
#include <memory>

namespace
{

struct SUdevDeleter
{
    void operator()(udev* p) const { udev_unref(p); }
    void operator()(udev_enumerate* p) const { udev_enumerate_unref(p); }
    void operator()(udev_device* p) const { udev_device_unref(p); }
};
template <typename T>
using UdevPtr = std::unique_ptr<T, SUdevDeleter>;

[[noreturn]] void RaiseListError(const char* pszCall, int nError)
{
    char szText[128];
    std::snprintf(szText, sizeof szText, "%s failed. (err=%lx)", pszCall, static_cast<unsigned long>(nError));
    throw CPortListError(szText);
}

std::string Text(const char* psz)
{
    return psz ? psz : "";
}

bool IsCp210xProduct(const std::string& strProduct)
{
    static const char* const kProducts[] = {"ea60", "ea61", "ea63", "ea70", "ea71", "ea7a", "ea7b"};
    return std::any_of(std::begin(kProducts), std::end(kProducts),
                       [&](const char* psz) { return strProduct == psz; });
}

// A bridge is a CP210x when its serial driver says so or its USB ids are Silicon Labs'.
bool IsCp210x(udev_device* pTty, udev_device* pInterface, udev_device* pUsb)
{
    udev_device* pParent = udev_device_get_parent(pTty);
    if ((pParent && Text(udev_device_get_driver(pParent)) == "cp210x") ||
        (pInterface && Text(udev_device_get_driver(pInterface)) == "cp210x"))
        return true;
    return pUsb && Text(udev_device_get_sysattr_value(pUsb, "idVendor")) == "10c4" &&
           IsCp210xProduct(Text(udev_device_get_sysattr_value(pUsb, "idProduct")));
}

// Built-in 8250 ports that no hardware backs hang directly off the platform bus.
bool IsPlaceholderPort(udev_device* pTty)
{
    udev_device* pParent = udev_device_get_parent(pTty);
    return !pParent || Text(udev_device_get_subsystem(pParent)) == "platform";
}

void DescribeUdevPort(udev_device* pTty, SPortDevice& port)
{
    udev_device* pInterface = udev_device_get_parent_with_subsystem_devtype(pTty, "usb", "usb_interface");
    udev_device* pUsb = udev_device_get_parent_with_subsystem_devtype(pTty, "usb", "usb_device");
    if (pUsb || pInterface)
    {
        port.m_strLocation = "USB " + Text(udev_device_get_sysname(pUsb ? pUsb : pInterface));
        if (pUsb)
            port.m_strUsbId = Text(udev_device_get_sysattr_value(pUsb, "idVendor")) + ":" +
                              Text(udev_device_get_sysattr_value(pUsb, "idProduct"));
        if (IsCp210x(pTty, pInterface, pUsb))
            port.m_strDescription = kCp210xDescription;
        else
        {
            port.m_strDescription = pUsb ? Text(udev_device_get_sysattr_value(pUsb, "product")) : "";
            if (port.m_strDescription.empty())
                port.m_strDescription = "USB Serial Device";
        }
    }
    else
    {
        udev_device* pParent = udev_device_get_parent(pTty);
        port.m_strLocation = pParent ? Text(udev_device_get_sysname(pParent)) : "";
        port.m_strDescription = "Communications Port";
    }
}

void AddUdevPorts(std::vector<SPortDevice>& ports)
{
    errno = 0;
    UdevPtr<udev> pUdev(udev_new());
    if (!pUdev)
        RaiseListError("udev_new", errno);
    UdevPtr<udev_enumerate> pEnumerate(udev_enumerate_new(pUdev.get()));
    if (!pEnumerate)
        RaiseListError("udev_enumerate_new", errno);
    int nResult = udev_enumerate_add_match_subsystem(pEnumerate.get(), "tty");
    if (nResult >= 0)
        nResult = udev_enumerate_scan_devices(pEnumerate.get());
    if (nResult < 0)
        RaiseListError("udev_enumerate_scan_devices", -nResult);

    udev_list_entry* pEntry;
    udev_list_entry_foreach(pEntry, udev_enumerate_get_list_entry(pEnumerate.get()))
    {
        UdevPtr<udev_device> pTty(udev_device_new_from_syspath(pUdev.get(), udev_list_entry_get_name(pEntry)));
        if (!pTty || !udev_device_get_devnode(pTty.get()))
            continue;
        SPortDevice port;
        port.m_strDevicePath = udev_device_get_devnode(pTty.get());
        int nPort = ComNumberOfDevice(port.m_strDevicePath);
        if (nPort == 0 || (port.m_strDevicePath.starts_with("/dev/ttyS") && IsPlaceholderPort(pTty.get())))
            continue;
        DescribeUdevPort(pTty.get(), port);
        port.m_strFriendlyName = port.m_strDescription + " (" + ComName(nPort) + ")";
        ports.push_back(std::move(port));
    }
}

} // namespace

std::vector<SPortDevice> EnumerateSerialDevices()
{
    std::vector<SPortDevice> ports;
    AddUdevPorts(ports);
    std::stable_sort(ports.begin(), ports.end(), [](const SPortDevice& a, const SPortDevice& b) {
        return ComNumberOfDevice(a.m_strDevicePath) < ComNumberOfDevice(b.m_strDevicePath);
    });
    for (const SVirtualPort& virtualPort : ListVirtualPorts())
        ports.push_back({virtualPort.m_strDevicePath,
                         virtualPort.m_strDescription + " (" + ComName(virtualPort.m_nPort) + ")",
                         virtualPort.m_strDescription, virtualPort.m_strLocation, ""});
    return ports;
}
