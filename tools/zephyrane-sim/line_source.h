#pragma once
// Where the simulated receiver's lines come from: a recording or a synthesised receiver.
// Each line carries the moment it is due, in seconds from the start of the transmission.

#include <string>

struct STimedLine
{
    double m_dDue = 0.0;
    std::string m_strBytes;  // the line with its line end
};

class ILineSource
{
public:
    virtual ~ILineSource() = default;
    // The next line, dNow seconds after the start of the transmission; false when the
    // source has nothing more to send.
    virtual bool Next(double dNow, STimedLine& line) = 0;
};
