#pragma once
// Turns raw received bytes into the display lines of the NMEA monitor's list, in one of its
// four display modes. Pure text work, so that it can be tested without a window.
#include <cstddef>
#include <string>
#include <vector>

enum EAsciiDisplayMode
{
    kModeNormal = 0,
    kModeAscii = 1,
    kModeDecimal = 2,
    kModeHex = 3
};

// The text shown for one byte in the given mode (Windows-1252 bytes: guillemets 0xAB, 0xBB).
std::string FormatDisplayPiece(unsigned char byte, int nMode);

// Breaks the pieces of the bytes into lines by width alone: a piece is appended while
// (nAvgCharWidth - 1) * characters-in-line is below nClientWidth, otherwise it starts a new
// line. A piece is never split; line feeds do not break lines.
std::vector<std::string> FormatDisplayLines(const char* pData, std::size_t nLength, int nMode,
                                            int nAvgCharWidth, int nClientWidth);

// How many of the lines already listed stay when nNewLines arrive in a list that shows
// nVisible lines: the newest lines go on top and the oldest drop off the bottom.
std::size_t LinesToKeep(std::size_t nListed, std::size_t nNewLines, int nVisible);
