#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The three letters that name a sentence: those after "$PTNL," for Trimble's proprietary
// wrapper, else those after the start character and the two-letter talker ("$GPGGA," and
// "$GNGGA," are both "GGA", "!AIVDM" is "VDM"). Shorter when the line is too short to hold
// three. The result views into the line.
std::string_view SentenceType(std::string_view line);

// Trimble's receivers wrap standard sentences as "$PTNL,GGA,...". The decoders read fields
// by position from the address field on, which would put every field of such a line one
// place late; as "$PTGGA,..." the line has the standard layout and decodes like any GGA.
// Returns that form (kept in storage) for a wrapped line, else the line itself.
std::string_view UnwrapTrimble(std::string_view line, std::string& storage);

// A type as one number: its characters in the low 24 bits, the first in the lowest byte.
std::uint32_t PackSentenceType(std::string_view type);

// Exclusive-or of the characters after a leading '$' or '!' (from the first character
// when there is neither) up to the first '*' (or the end); 0 for an empty range.
unsigned NmeaChecksum(std::string_view text);

// What the checksum suffix of a sentence, line ends already removed, says: whether it has
// one to strip (the sentence starts with '$' and its third-last character is '*') and
// whether the two digits after the '*' are the upper-case hex of NmeaChecksum.
struct SChecksumSuffix
{
    bool m_bPresent = false;
    bool m_bMatches = false;
};
SChecksumSuffix CheckChecksumSuffix(std::string_view text);

// Whether a line verifies as CFieldParser::VerifyChecksum judges it: line ends anywhere
// in it are ignored.
bool LineChecksumOk(std::string_view line);

inline bool IsLineEnd(char ch)
{
    return ch == '\r' || ch == '\n';
}
