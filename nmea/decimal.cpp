#include "nmea/decimal.h"

#include <charconv>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>

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

// The value of a plain decimal (digits with an optional point, no exponent) when its
// digits form an integer below 2^53 and it has at most 22 decimals: then the integer and
// the power of ten are exact doubles and one correctly rounded division gives the exactly
// rounded value, much faster than a general conversion. Receivers send such numbers.
std::optional<double> ExactlyRepresented(std::string_view number)
{
    constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
    std::uint64_t nDigits = 0;
    std::size_t nDecimals = 0;
    bool bSeenPoint = false;
    for (const char ch : number) {
        if (ch == '.') {
            bSeenPoint = true;
            continue;
        }
        if (!IsDigit(ch))
            return std::nullopt;  // an exponent
        nDigits = nDigits * 10 + static_cast<std::uint64_t>(ch - '0');
        if (nDigits >= kExactLimit)
            return std::nullopt;
        nDecimals += bSeenPoint ? 1 : 0;
    }
    if (nDecimals >= std::size(kPowersOfTen))
        return std::nullopt;
    return static_cast<double>(nDigits) / kPowersOfTen[nDecimals];
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

    if (const auto fast = ExactlyRepresented(text.substr(nMantissa, nEnd - nMantissa)))
        return bNegative ? -*fast : *fast;

    double dValue = 0.0;
    const char* pFirst = text.data() + nMantissa;
    const auto result = std::from_chars(pFirst, text.data() + nEnd, dValue, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        dValue = nLeadExponent > 0 ? std::numeric_limits<double>::max() : 0.0;
    return bNegative ? -dValue : dValue;
}
