#include "nmea/field_parser.h"

#include <algorithm>
#include <array>

#include "nmea/decimal.h"
#include "nmea/sentence.h"

namespace {

// The characters a numeric token is made of.
constexpr std::array<bool, 256> MakeNumericTable()
{
    std::array<bool, 256> table{};
    for (const char ch : std::string_view("+-0123456789.e?"))
        table[static_cast<unsigned char>(ch)] = true;
    return table;
}
constexpr std::array<bool, 256> kNumeric = MakeNumericTable();

// An empty token or one holding '?' stands for a value the receiver did not have.
bool IsAbsent(std::string_view token)
{
    return token.empty() || std::ranges::find(token, '?') != token.end();
}

bool IsNumeric(char ch)
{
    return kNumeric[static_cast<unsigned char>(ch)];
}

// Escapes that text fields use for characters that cannot stand in a sentence, framed by
// the Windows-1252 guillemets 0xAB and 0xBB.
constexpr std::string_view kEscapeCr = "\xAB" "CR>\xBB";
constexpr std::string_view kEscapeLf = "\xAB" "LF>\xBB";
constexpr std::string_view kEscapeDelimiter = "\xAB" "COMMA>\xBB";

void ReplaceAll(std::string& text, std::string_view from, std::string_view to)
{
    for (std::size_t nPos = text.find(from); nPos != std::string::npos; nPos = text.find(from, nPos + to.size()))
        text.replace(nPos, from.size(), to);
}

}  // namespace

CFieldParser::CFieldParser()
    : m_chDelimiter(','), m_strDelimiter(1, m_chDelimiter)
{
}

void CFieldParser::Load(std::string_view sentence)
{
    m_strText.assign(sentence);
    m_nReadPos = 0;
}

void CFieldParser::DropLeadingSpace()
{
    while (m_nReadPos < m_strText.size() && IsWhiteSpace(m_strText[m_nReadPos]))
        ++m_nReadPos;
}

void CFieldParser::DropTrailingSpace()
{
    std::size_t nEnd = m_strText.size();
    while (nEnd > m_nReadPos && IsWhiteSpace(m_strText[nEnd - 1]))
        --nEnd;
    m_strText.resize(nEnd);
}

void CFieldParser::DropDelimiter()
{
    if (m_nReadPos < m_strText.size() && m_strText[m_nReadPos] == m_chDelimiter)
        ++m_nReadPos;
}

void CFieldParser::VerifyChecksum()
{
    m_strText.erase(0, m_nReadPos);
    m_nReadPos = 0;
    // The line end normally stands only at the end: drop it there, then look for others.
    while (!m_strText.empty() && IsLineEnd(m_strText.back()))
        m_strText.pop_back();
    if (std::ranges::any_of(m_strText, IsLineEnd))
        std::erase_if(m_strText, IsLineEnd);

    const SChecksumSuffix suffix = CheckChecksumSuffix(m_strText);
    m_bChecksumOk = suffix.m_bMatches;
    if (suffix.m_bPresent)
        m_strText.resize(m_strText.size() - 3);
}

std::string_view CFieldParser::TakeField()
{
    DropLeadingSpace();
    const std::string_view rest = Text();
    if (rest.empty())
        return {};

    std::string_view value;
    if (rest.front() == '"') {
        const std::size_t nClose = rest.find('"', 1);
        value = rest.substr(1, nClose == std::string_view::npos ? std::string_view::npos : nClose - 1);
        // Whatever follows the closing quote up to the delimiter is not part of the value.
        const std::size_t nDelimiter = nClose == std::string_view::npos ? std::string_view::npos : rest.find(m_chDelimiter, nClose + 1);
        m_nReadPos += nDelimiter == std::string_view::npos ? rest.size() : nDelimiter;
    } else {
        // Fields are short: a plain loop beats a library search call.
        std::size_t nLength = 0;
        while (nLength < rest.size() && rest[nLength] != m_chDelimiter)
            ++nLength;
        value = rest.substr(0, nLength);
        m_nReadPos += nLength;
    }
    DropLeadingSpace();
    DropDelimiter();
    DropTrailingSpace();  // only shortens what follows the value, which stays valid
    return value;
}

std::string CFieldParser::GetField()
{
    std::string strValue(TakeField());
    if (std::ranges::find(strValue, '\xAB') != strValue.end()) {
        ReplaceAll(strValue, kEscapeCr, "\r");
        ReplaceAll(strValue, kEscapeLf, "\n");
        ReplaceAll(strValue, kEscapeDelimiter, m_strDelimiter);
    }
    return strValue;
}

void CFieldParser::SkipField()
{
    TakeField();
}

std::string_view CFieldParser::GetNumber()
{
    DropLeadingSpace();
    std::string_view token;
    if (m_nReadPos < m_strText.size() && m_strText[m_nReadPos] != m_chDelimiter) {
        while (m_nReadPos < m_strText.size() && !IsNumeric(m_strText[m_nReadPos]))
            ++m_nReadPos;
        const std::size_t nStart = m_nReadPos;
        while (m_nReadPos < m_strText.size() && IsNumeric(m_strText[m_nReadPos]))
            ++m_nReadPos;
        token = std::string_view(m_strText).substr(nStart, m_nReadPos - nStart);
        DropLeadingSpace();
    }
    DropDelimiter();
    return token;
}

std::int32_t CFieldParser::GetInt()
{
    const std::string_view token = GetNumber();
    const std::int32_t nValue = IsAbsent(token) ? kNmeaAbsentInt : ParseDecimalInt(token);
    return IsSaturated(nValue) ? kNmeaAbsentInt : nValue;
}

double CFieldParser::GetDouble()
{
    const std::string_view token = GetNumber();
    const double dValue = IsAbsent(token) ? kNmeaAbsentDouble : ParseDecimalDouble(token);
    return IsSaturated(dValue) ? kNmeaAbsentDouble : dValue;
}
