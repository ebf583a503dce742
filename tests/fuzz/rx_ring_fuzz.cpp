// Appends of fuzzer-chosen sizes to a receive ring, taking lines after each, checked
// against a plain model that keeps the newest bytes in a deque.
#include <algorithm>
#include <deque>

#include "nmea/rx_ring.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    SRxRing ring;
    ring.Allocate();
    std::deque<char> model;
    SLineBuffer buffer;

    std::size_t i = 0;
    while (i < nSize) {
        // Two bytes give the size of the next append (up to 8191, so batches larger than
        // the ring occur), the following bytes its content.
        std::size_t nAppend = pData[i++];
        if (i < nSize)
            nAppend = (nAppend << 8 | pData[i++]) & 0x1FFF;
        nAppend = std::min(nAppend, nSize - i);
        ring.Append(pData + i, nAppend);
        const std::size_t nKept = std::min<std::size_t>(nAppend, SRxRing::kCapacity);
        model.insert(model.end(), pData + i, pData + i + nKept);
        while (model.size() > SRxRing::kCapacity)
            model.pop_front();
        i += nAppend;

        for (;;) {
            const std::size_t nLine = TakeLine(ring, buffer);
            const auto feed = std::find(model.begin(), model.end(), '\n');
            if (nLine == 0) {
                Require(feed == model.end());
                break;
            }
            Require(feed != model.end());
            const auto nExpected = static_cast<std::size_t>(feed - model.begin()) + 1;
            Require(nLine == nExpected && buffer[nLine] == '\0');
            Require(std::equal(model.begin(), model.begin() + static_cast<std::ptrdiff_t>(nLine), buffer.begin()));
            model.erase(model.begin(), model.begin() + static_cast<std::ptrdiff_t>(nLine));
        }
        Require(ring.Unread() == model.size());
        if (nAppend == 0x1FFF) {  // now and then start over
            ring.Reset();
            model.clear();
        }
    }
    return 0;
}
