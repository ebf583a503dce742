// The tool's promise: valid JSON lines whatever bytes arrive, with the satellite table and
// course carried from line to line, and a valid sky object after them.
#include <string_view>

#include "tests/fuzz/fuzz_input.h"
#include "tests/tools/nmea-decode/json_check.h"
#include "tools/nmea-decode/line_decoder.h"
#include "tools/nmea-decode/stream_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    CLineDecoder decoder({.m_bRaw = true, .m_bSky = true});
    CStreamDecoder stream(decoder);
    std::string out;
    stream.Feed(reinterpret_cast<const char*>(pData), nSize, out);

    std::string_view rest(out);
    while (!rest.empty()) {
        const std::size_t nEnd = rest.find('\n');
        Require(nEnd != std::string_view::npos && CJsonCheck::IsValid(rest.substr(0, nEnd)));
        rest.remove_prefix(nEnd + 1);
    }

    std::string sky;
    decoder.WriteSky(sky);
    Require(sky.ends_with('\n') && CJsonCheck::IsValid(std::string_view(sky).substr(0, sky.size() - 1)));
    return 0;
}
