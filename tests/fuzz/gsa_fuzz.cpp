#include "nmea/decoders.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string sentence = SentenceFrom(pData, nSize, "$GNGSA,");
    SSatTable table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i].m_nPrn = static_cast<std::uint32_t>(i % 12);  // includes empty slots
    std::int32_t nFix = -1, nUsed = -1;
    double dHdop = 0, dPdop = 0, dVdop = 0;
    if (DecodeGSA(sentence, &nFix, &nUsed, &table, &dHdop, &dPdop, &dVdop)) {
        Require(nFix >= 0 && nFix <= 2);
        Require(nUsed >= 0 && nUsed <= static_cast<std::int32_t>(kSatTableSize));
    }
    DecodeGSA(sentence, nullptr, nullptr, &table, nullptr, nullptr, nullptr);
    return 0;
}
