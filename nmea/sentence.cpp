#include "nmea/sentence.h"

std::string_view SentenceType(std::string_view line)
{
    const std::size_t nStart = line.starts_with("$PTNL,") ? 6 : 3;
    if (line.size() <= nStart)
        return {};
    return line.substr(nStart, 3);
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
