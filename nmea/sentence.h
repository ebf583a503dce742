#pragma once

#include <cstdint>
#include <string_view>

// The three letters that name a sentence: those after "$PTNL," for Trimble's proprietary
// wrapper, else those after the start character and the two-letter talker ("$GPGGA," and
// "$GNGGA," are both "GGA", "!AIVDM" is "VDM"). Shorter when the line is too short to hold
// three. The result views into the line.
std::string_view SentenceType(std::string_view line);

// A type as one number: its characters in the low 24 bits, the first in the lowest byte.
std::uint32_t PackSentenceType(std::string_view type);

// Exclusive-or of the characters after a leading '$' or '!' (from the first character
// when there is neither) up to the first '*' (or the end); 0 for an empty range.
unsigned NmeaChecksum(std::string_view text);
