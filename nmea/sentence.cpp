#include "nmea/sentence.h"

#include <algorithm>
#include <string>

namespace
{
constexpr std::string_view kTrimblePrefix = "$PTNL,";
}  // namespace

std::string_view SentenceType(std::string_view line)
{
    const std::size_t nStart = line.starts_with(kTrimblePrefix) ? kTrimblePrefix.size() : 3;
    if (line.size() <= nStart)
        return {};
    return line.substr(nStart, 3);
}

std::string_view UnwrapTrimble(std::string_view line, std::string& storage)
{
    if (!line.starts_with(kTrimblePrefix) || line.size() < kTrimblePrefix.size() + 3)
        return line;
    storage = "$PT";
    storage.append(line.substr(kTrimblePrefix.size()));
    return storage;
}

std::uint32_t PackSentenceType(std::string_view type)
{
    std::uint32_t nCode = 0;
    for (std::size_t i = 0; i < type.size() && i < 3; ++i)
        nCode |= static_cast<std::uint32_t>(static_cast<unsigned char>(type[i])) << (8 * i);
    return nCode;
}

unsigned NmeaChecksum(std::string_view text)
{
    if (!text.empty() && (text.front() == '$' || text.front() == '!'))
        text.remove_prefix(1);
    text = text.substr(0, text.find('*'));
    unsigned nSum = 0;
    for (const char ch : text)
        nSum ^= static_cast<unsigned char>(ch);
    return nSum;
}

SChecksumSuffix CheckChecksumSuffix(std::string_view text)
{
    const std::string_view suffix = text.substr(text.size() < 3 ? 0 : text.size() - 3);
    if (!text.starts_with('$') || !suffix.starts_with('*'))
        return {};
    // Upper-case digits only: a sentence with lower-case digits does not verify.
    constexpr std::string_view kHex = "0123456789ABCDEF";
    const unsigned nSum = NmeaChecksum(text);
    const char expected[3] = {'*', kHex[(nSum >> 4) & 0xF], kHex[nSum & 0xF]};
    return {true, suffix == std::string_view(expected, 3)};
}

bool LineChecksumOk(std::string_view line)
{
    while (!line.empty() && IsLineEnd(line.back()))
        line.remove_suffix(1);
    if (std::ranges::none_of(line, IsLineEnd))
        return CheckChecksumSuffix(line).m_bMatches;
    std::string text(line);
    std::erase_if(text, IsLineEnd);
    return CheckChecksumSuffix(text).m_bMatches;
}
