#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "nmea/sentinels.h"

// Reads a sentence field by field from the front: Load, VerifyChecksum, then one
// GetField, GetInt or GetDouble per field, starting with the address field ("$GPGGA").
// Reading past the last field gives an empty text or the absent sentinels.
class CFieldParser
{
public:
    CFieldParser();

    // The sentence becomes the text to read; it is copied, so it need not outlive the parser.
    void Load(std::string_view sentence);

    // Removes every CR and LF; when the text starts with '$' and ends in '*' and two hex
    // digits, records whether they equal the computed checksum (upper-case digits only)
    // and removes them. Any other text keeps its suffix and counts as not verified.
    void VerifyChecksum();
    bool ChecksumOk() const { return m_bChecksumOk; }

    // The next field, with leading white space dropped, a double-quoted value unquoted
    // (what follows the closing quote up to the delimiter is dropped) and the escapes for
    // CR, LF and the delimiter replaced by their characters.
    std::string GetField();
    // Reads past the next field as GetField does, without making its value.
    void SkipField();
    // The next numeric token: non-numeric characters before it are skipped, even across
    // delimiters; empty for an empty field. Views into the parser's text until the next Load.
    std::string_view GetNumber();
    // The next numeric token as an integer (sign, digits, stop at anything else).
    // kNmeaAbsentInt when empty, '?', no field left or beyond the 32-bit range.
    std::int32_t GetInt();
    // The next numeric token as a double (sign, digits, point, 'e' exponent).
    // kNmeaAbsentDouble when empty, '?', no field left or beyond the double range.
    double GetDouble();

    // What is not yet read.
    std::string_view Text() const { return std::string_view(m_strText).substr(m_nReadPos); }

private:
    // The next field's value as it stands in the text, before unescaping.
    std::string_view TakeField();
    void DropLeadingSpace();
    void DropTrailingSpace();
    void DropDelimiter();

    std::string m_strText;           // the loaded sentence; reads advance m_nReadPos
    std::size_t m_nReadPos = 0;      // front of the part not yet read
    char m_chDelimiter;
    std::string m_strDelimiter;
    bool m_bChecksumOk = false;
};
