#include "platform/serial_source.h"

#include <cstdlib>

CSerialSource::CSerialSource(std::string strDevicePath, std::string strName, std::string strControl, bool b485HalfDuplex)
    : m_strDevicePath(std::move(strDevicePath))
    , m_strName(std::move(strName))
    , m_strControl(std::move(strControl))
    , m_b485HalfDuplex(b485HalfDuplex)
{
}

bool CSerialSource::Fail(EFailure eFailure)
{
    m_device.Close();
    m_eFailure = eFailure;
    return false;
}

bool CSerialSource::Open()
{
    m_bGone = false;
    m_eFailure = EFailure::kNone;
    if (m_device.IsOpen())
        return true;
    if (m_strDevicePath.empty() || !m_device.Open(m_strDevicePath))
        return Fail(EFailure::kNoDevice);
    if (!m_device.IsTerminal())
        return Fail(EFailure::kNotSerial);
    if (!m_device.Configure(m_strControl, m_b485HalfDuplex))
        return Fail(EFailure::kBadSettings);
    return true;
}

long CSerialSource::Read(void* pBuffer, size_t nMax)
{
    if (!m_device.IsOpen())
        return m_bGone ? -1 : 0;
    long nRead = m_device.Read(pBuffer, nMax);
    if (nRead < 0)
    {
        // The device went away (a USB receiver unplugged, a pseudo-terminal's other end
        // closed): its node is of no more use until it is opened again.
        m_device.Close();
        m_bGone = true;
    }
    return nRead;
}

std::string CSerialSource::Describe() const
{
    // The control string begins with the speed.
    return m_strName + " at " + std::to_string(std::atoi(m_strControl.c_str())) + " baud";
}

std::string CSerialSource::LastError() const
{
    if (m_bGone)
        return "device removed";
    switch (m_eFailure)
    {
    case EFailure::kNone: return {};
    case EFailure::kNoDevice: return "no such device, or in use";
    case EFailure::kNotSerial: return "not a serial device";
    case EFailure::kBadSettings: return "line settings refused";
    }
    return {};
}
