#pragma once

#include <cstddef>
#include <string>

#include "nmea/rx_ring.h"
#include "tools/nmea-decode/line_decoder.h"

// Takes every complete line out of a receive ring and appends its JSON to out. A live
// source whose port fills its own ring calls this after each read.
void DecodeRingLines(SRxRing& ring, SLineBuffer& buffer, CLineDecoder& decoder, std::string& out);

// Feeds a byte stream through a receive ring as the serial link does: appends of at most
// kMaxAppend bytes, every complete line taken and decoded after each append. Bytes of an
// unfinished line stay in the ring for the next Feed.
class CStreamDecoder
{
public:
    static constexpr std::size_t kMaxAppend = 2048;

    explicit CStreamDecoder(CLineDecoder& decoder);

    void Feed(const char* pBytes, std::size_t nBytes, std::string& out);

private:
    CLineDecoder& m_decoder;
    SRxRing m_ring;
    SLineBuffer m_buffer{};
};
