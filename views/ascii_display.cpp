#include "views/ascii_display.h"

#include <cstdio>

namespace
{

const char* const kControlNames[32] = {"NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL",
                                       "BS",  "TAB", "LF",  "VT",  "FF",  "CR",  "SO",  "SI",
                                       "DLE", "DC1", "DC2", "DC3", "DC4", "NAK", "SYN", "ETB",
                                       "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US"};

const char kOpen = '\xAB';  // «
const char kClose = '\xBB'; // »

std::string Bracketed(const char* pText)
{
    return std::string(1, kOpen) + pText + kClose;
}

} // namespace

std::string FormatDisplayPiece(unsigned char byte, int nMode)
{
    char buffer[16];
    switch (nMode)
    {
    case kModeAscii:
        if (byte < 32)
            return Bracketed(kControlNames[byte]);
        if (byte == 127)
            return Bracketed("DEL");
        if (byte == 255)
            return Bracketed("255");
        return std::string(1, static_cast<char>(byte));
    case kModeDecimal:
        std::snprintf(buffer, sizeof buffer, "%03d", byte);
        return Bracketed(buffer);
    case kModeHex:
        std::snprintf(buffer, sizeof buffer, "$%02X", byte);
        return Bracketed(buffer);
    default:
        return std::string(1, static_cast<char>(byte));
    }
}

std::vector<std::string> FormatDisplayLines(const char* pData, std::size_t nLength, int nMode,
                                            int nAvgCharWidth, int nClientWidth)
{
    std::vector<std::string> lines;
    std::string current;
    const long long nStep = nAvgCharWidth - 1;
    for (std::size_t i = 0; i < nLength; ++i)
    {
        std::string piece = FormatDisplayPiece(static_cast<unsigned char>(pData[i]), nMode);
        if (nStep * static_cast<long long>(current.size()) < nClientWidth)
        {
            current += piece;
        }
        else
        {
            lines.push_back(std::move(current));
            current = std::move(piece);
        }
    }
    if (!current.empty())
        lines.push_back(std::move(current));
    return lines;
}

std::size_t LinesToKeep(std::size_t nListed, std::size_t nNewLines, int nVisible)
{
    const long long nKeep = static_cast<long long>(nVisible) - static_cast<long long>(nNewLines);
    if (nKeep <= 0)
        return 0;
    return nListed < static_cast<std::size_t>(nKeep) ? nListed : static_cast<std::size_t>(nKeep);
}
