#pragma once
// The course and speed a window shows: a VTG sentence that leaves either of them empty keeps
// the value shown before (0 until one arrives), so no window shows the decoder's -1 for a
// missing speed or an undefined course.

#include <string_view>

struct SCourseAndSpeed
{
    double m_dCourse = 0.0;  // degrees
    double m_dSpeed = 0.0;   // knots

    // False when the line is not a VTG sentence the decoder accepts.
    bool Update(std::string_view vtg);
};
