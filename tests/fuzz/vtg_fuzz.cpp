#include <cmath>

#include "nmea/decoders.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string sentence = SentenceFrom(pData, nSize, "$GPVTG,");
    double dCourse = 0, dSpeed = 0;
    if (DecodeVTG(sentence, &dCourse, &dSpeed))
        Require(std::isfinite(dCourse) && std::isfinite(dSpeed));
    DecodeVTG(sentence, nullptr, nullptr);
    return 0;
}
