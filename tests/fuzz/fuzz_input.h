#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

// The fuzzer's bytes as a sentence. When the first byte is odd the rest follows the given
// address field, so that most runs reach the decoder past its type check; otherwise the
// rest is the whole sentence.
inline std::string SentenceFrom(const std::uint8_t* pData, std::size_t nSize, std::string_view address)
{
    if (nSize == 0)
        return {};
    const std::string_view rest(reinterpret_cast<const char*>(pData) + 1, nSize - 1);
    std::string sentence;
    if (pData[0] & 1)
        sentence = address;
    sentence += rest;
    return sentence;
}

// Stops the run as a finding when a property of the result does not hold.
inline void Require(bool bHolds)
{
    if (!bHolds)
        std::abort();
}
