#include "tools/nmea-decode/stream_decoder.h"

#include <algorithm>
#include <string_view>

void DecodeRingLines(SRxRing& ring, SLineBuffer& buffer, CLineDecoder& decoder, std::string& out)
{
    while (const std::size_t nLength = TakeLine(ring, buffer))
        decoder.Decode(std::string_view(buffer.data(), nLength), out);
}

CStreamDecoder::CStreamDecoder(CLineDecoder& decoder)
    : m_decoder(decoder)
{
    m_ring.Allocate();
}

void CStreamDecoder::Feed(const char* pBytes, std::size_t nBytes, std::string& out)
{
    while (nBytes > 0) {
        const std::size_t n = std::min(nBytes, kMaxAppend);
        m_ring.Append(pBytes, n);
        DecodeRingLines(m_ring, m_buffer, m_decoder, out);
        pBytes += n;
        nBytes -= n;
    }
}
