#include "nmea/course_speed.h"

#include "nmea/decoders.h"

bool SCourseAndSpeed::Update(std::string_view vtg)
{
    double dSpeed = 0.0;
    if (!DecodeVTG(vtg, &m_dCourse, &dSpeed))
        return false;
    if (dSpeed >= 0.0)
        m_dSpeed = dSpeed;
    return true;
}
