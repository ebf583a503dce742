#include "nmea/decoders.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string sentence = SentenceFrom(pData, nSize, "$GPGSV,");
    SSatTable table{};
    std::int32_t nInView = 0;
    bool bLast = false;
    DecodeGSV(sentence, &table, &nInView, &bLast);
    DecodeGSV(sentence, &table, nullptr, nullptr);
    for (const SSatInfo& sat : table) {
        Require(sat.m_nPrn < 100 && sat.m_nElevation <= 90 && sat.m_nAzimuth <= 360 && sat.m_nSnr <= 100);
        Require(!sat.m_bUsed);
    }
    return 0;
}
