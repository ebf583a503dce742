#include <cmath>

#include "nmea/decoders.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string sentence = SentenceFrom(pData, nSize, "$GPGGA,");
    double dLat = 0, dLon = 0, dHeight = 0, dSeparation = 0, dHdop = 0;
    std::int32_t nFix = -1, nSats = 0;
    if (DecodeGGA(sentence, &dLat, &dLon, &dHeight, &dSeparation, &nFix, &nSats, &dHdop)) {
        Require(nFix == 0 || nFix == 2);
        Require(std::isfinite(dLat) && std::isfinite(dLon) && std::isfinite(dHdop));
    }
    DecodeGGA(sentence, nullptr, nullptr, &dHeight, nullptr, nullptr, nullptr, nullptr);
    DecodeGGA(sentence, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    return 0;
}
