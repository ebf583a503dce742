// Speed of line framing, dispatch and decoding on a realistic mixed stream: the bundled
// sample (GGA, GSA, GSV groups, RMC, VTG, a proprietary sentence, noise) or, when present,
// the recorded logs of many receivers. Bytes go through the receive ring in appends of
// 2048 bytes, as the serial link delivers them.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "nmea/decoders.h"
#include "tests/support/file_text.h"
#include "nmea/rx_ring.h"
#include "nmea/sentence.h"
#include "nmea/sky_model.h"
#include "tools/nmea-decode/line_decoder.h"
#include "tools/nmea-decode/stream_decoder.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kAppendSize = 2048;
constexpr std::size_t kStreamSize = 4 << 20;


// About kStreamSize bytes of whole copies of the given text.
std::string Repeated(const std::string& text)
{
    std::string stream;
    while (!text.empty() && stream.size() < kStreamSize)
        stream += text;
    return stream;
}

const std::string& SampleStream()
{
    static const std::string stream = Repeated(ReadFileBytes(ZEP_SOURCE_DIR "/resources/samples/sample.nmea"));
    return stream;
}

const std::string& RecordedStream()
{
    static const std::string stream = [] {
        std::string logs;
        const fs::path folder = ZEP_SOURCE_DIR "/../shared/nmea-logs";
        if (fs::is_directory(folder)) {
            for (const auto& entry : fs::directory_iterator(folder))
                if (entry.path().extension() == ".nmea")
                    logs += ReadFileBytes(entry.path());
        }
        return Repeated(logs);
    }();
    return stream;
}

// A receive ring with its line buffer: calls take(line) for every line of the stream.
class CFramer
{
public:
    CFramer() { m_ring.Allocate(); }

    template <typename Take>
    void Frame(const std::string& stream, Take take)
    {
        for (std::size_t i = 0; i < stream.size(); i += kAppendSize) {
            m_ring.Append(stream.data() + i, std::min(kAppendSize, stream.size() - i));
            while (const std::size_t n = TakeLine(m_ring, m_buffer))
                take(std::string_view(m_buffer.data(), n));
        }
    }

private:
    SRxRing m_ring;
    SLineBuffer m_buffer{};
};

// False, with the run marked skipped, when the stream's files were not found.
bool HasStream(benchmark::State& state, const std::string& stream)
{
    if (stream.empty())
        state.SkipWithError("stream not found");
    return !stream.empty();
}

void Report(benchmark::State& state, const std::string& stream, std::int64_t nLines)
{
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(stream.size()));
    state.counters["sentences/s"] = benchmark::Counter(static_cast<double>(nLines), benchmark::Counter::kIsRate);
}

// Framing only.
void TakeLines(benchmark::State& state, const std::string& stream)
{
    if (!HasStream(state, stream))
        return;
    CFramer framer;
    std::int64_t nLines = 0;
    for (auto _ : state)
        framer.Frame(stream, [&](std::string_view line) { benchmark::DoNotOptimize(line.data()); ++nLines; });
    Report(state, stream, nLines);
}

// Framing, dispatch by type and decoding, as a monitor window does: every line goes to the
// satellite model, which reads GSV and GSA; GGA, GSA and VTG go to their decoders.
void DecodeStream(benchmark::State& state, const std::string& stream)
{
    if (!HasStream(state, stream))
        return;
    CFramer framer;
    CSkyModel sky;
    SSatTable table{};
    double dLat = 0, dLon = 0, dHeight = 0, dSeparation = 0, dHdop = 0, dPdop = 0, dVdop = 0;
    double dCourse = 0, dSpeed = 0;
    std::int32_t nFix = 0, nSats = 0;
    std::int64_t nLines = 0;
    for (auto _ : state) {
        framer.Frame(stream, [&](std::string_view line) {
            sky.Feed(line);
            const std::string_view type = SentenceType(line);
            if (type == "GGA")
                DecodeGGA(line, &dLat, &dLon, &dHeight, &dSeparation, &nFix, &nSats, &dHdop);
            else if (type == "GSA")
                DecodeGSA(line, &nFix, nullptr, &table, &dHdop, &dPdop, &dVdop);
            else if (type == "VTG")
                DecodeVTG(line, &dCourse, &dSpeed);
            ++nLines;
        });
        benchmark::DoNotOptimize(sky.View().data());
        benchmark::DoNotOptimize(dLat);
    }
    Report(state, stream, nLines);
}

// What nmea-decode --sky does per line: framing, checksum verdict, decoding, the JSON text
// and the satellite model.
void DecodeToJson(benchmark::State& state, const std::string& stream)
{
    if (!HasStream(state, stream))
        return;
    CLineDecoder decoder({.m_bSky = true});
    CStreamDecoder streamDecoder(decoder);
    std::string out;
    std::int64_t nLines = 0;
    for (auto _ : state) {
        out.clear();
        streamDecoder.Feed(stream.data(), stream.size(), out);
        nLines += std::count(out.begin(), out.end(), '\n');
    }
    Report(state, stream, nLines);
}

BENCHMARK_CAPTURE(TakeLines, sample, SampleStream())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeStream, sample, SampleStream())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeToJson, sample, SampleStream())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(TakeLines, recorded_logs, RecordedStream())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeStream, recorded_logs, RecordedStream())->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(DecodeToJson, recorded_logs, RecordedStream())->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
