#pragma once
// A serial device as a source of a receiver's bytes: the node is opened for exclusive use,
// must be a terminal and is set to the line's settings; reads never block and nothing is
// ever written to it. Describe names it by its port name and speed, "COM03 at 4800 baud".

#include "platform/byte_source.h"
#include "platform/serial_device.h"

#include <string>

class CSerialSource : public IByteSource
{
public:
    // Why the last Open failed.
    enum class EFailure
    {
        kNone,
        kNoDevice,     // the node is missing, cannot be opened or is in use
        kNotSerial,    // the node is no terminal
        kBadSettings   // the line refused the device-control string
    };

    // strName names the port in Describe ("COM03" or a device path); strControl is a
    // device-control string such as "4800,N,8,1".
    CSerialSource(std::string strDevicePath, std::string strName, std::string strControl, bool b485HalfDuplex);

    bool Open() override;
    bool IsOpen() const override { return m_device.IsOpen(); }
    long Read(void* pBuffer, size_t nMax) override;
    bool WaitForData(int nMilliseconds) const override { return m_device.WaitForData(nMilliseconds); }
    void Close() override { m_device.Close(); }
    std::string Describe() const override;
    std::string LastError() const override;

    EFailure Failure() const { return m_eFailure; }

private:
    bool Fail(EFailure eFailure);

    std::string m_strDevicePath;
    std::string m_strName;
    std::string m_strControl;
    bool m_b485HalfDuplex;
    CSerialDevice m_device;
    EFailure m_eFailure = EFailure::kNone;
    bool m_bGone = false;
};
