#include "nmea/decimal.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace {

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

std::string_view SkipWhiteSpace(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && IsWhiteSpace(text[i]))
        ++i;
    return text.substr(i);
}

// Reads digits from text[i] on, adding them to a magnitude that stops growing at nLimit.
std::int64_t ReadDigits(std::string_view text, std::size_t& i, std::int64_t nLimit)
{
    std::int64_t nValue = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (nValue < nLimit)
            nValue = nValue * 10 + (text[i] - '0');
    }
    return nValue < nLimit ? nValue : nLimit;
}

}  // namespace

std::int32_t ParseDecimalInt(std::string_view text)
{
    text = SkipWhiteSpace(text);
    std::size_t i = 0;
    bool bNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        bNegative = text[i++] == '-';
    // One past the largest magnitude so that both limits can be reached.
    const std::int64_t nMagnitude = ReadDigits(text, i, std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1);
    const std::int64_t nValue = bNegative ? -nMagnitude : nMagnitude;
    if (nValue > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(nValue);
}

double ParseDecimalDouble(std::string_view text)
{
    text = SkipWhiteSpace(text);
    std::size_t i = 0;
    bool bNegative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        bNegative = text[i++] == '-';
    const std::size_t nMantissa = i;

    // Find the longest valid prefix and the decimal exponent of its leading digit, which
    // tells overflow from underflow when the value is out of range.
    std::size_t nDigits = 0;
    std::int64_t nLeadExponent = 0;
    bool bSeenNonZero = false;
    bool bSeenPoint = false;
    for (; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '.' && !bSeenPoint) {
            bSeenPoint = true;
            continue;
        }
        if (!IsDigit(ch))
            break;
        ++nDigits;
        if (!bSeenNonZero && ch != '0')
            bSeenNonZero = true;
        if (bSeenNonZero && !bSeenPoint)
            ++nLeadExponent;
        else if (!bSeenNonZero && bSeenPoint)
            --nLeadExponent;
    }
    if (nDigits == 0)
        return 0.0;
    std::size_t nEnd = i;

    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        bool bNegativeExponent = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            bNegativeExponent = text[j++] == '-';
        if (j < text.size() && IsDigit(text[j])) {
            const std::int64_t nExponent = ReadDigits(text, j, 1'000'000);
            nLeadExponent += bNegativeExponent ? -nExponent : nExponent;
            nEnd = j;
        }
    }

    double dValue = 0.0;
    const char* pFirst = text.data() + nMantissa;
    const auto result = std::from_chars(pFirst, text.data() + nEnd, dValue, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        dValue = nLeadExponent > 0 ? std::numeric_limits<double>::max() : 0.0;
    return bNegative ? -dValue : dValue;
}
