#pragma once
// A recorded NMEA file as the simulated receiver's source, sent byte for byte as recorded:
// one position epoch a second (an epoch begins where a position sentence brings a new
// time, or repeats a type the epoch already holds), or a fixed number of lines a second.
// With looping it starts over after the last line, the due times going on. Lines that begin
// with '#' are the recording's comments (gpsd's logs and many users' recordings begin with
// them) and are not sent.

#include "tools/zephyrane-sim/line_source.h"

#include <string>
#include <vector>

class CRecordedSource : public ILineSource
{
public:
    // dLinesPerSecond 0 keeps the recorded pace.
    CRecordedSource(std::vector<std::string> lines, double dLinesPerSecond, bool bLoop);

    // Splits a file's bytes into lines that keep their line ends; a last line without a
    // line feed is kept as it is.
    static std::vector<std::string> SplitLines(const std::string& strBytes);
    // The epoch of each line, counting from 0.
    static std::vector<int> Epochs(const std::vector<std::string>& lines);

    bool Next(double dNow, STimedLine& line) override;

private:
    std::vector<std::string> m_lines;
    std::vector<int> m_epochs;
    double m_dLinesPerSecond;
    bool m_bLoop;
    size_t m_nNext = 0;
    double m_dPassStart = 0.0;  // due time at which the current pass through the file began
};
