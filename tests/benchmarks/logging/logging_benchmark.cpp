// The cost of logging one received line as the data logger window does: the path worked out
// afresh (logs override, folders), the file opened for appending, the record written, the
// file closed. Drives point at a temporary folder.
#include "logging/data_logger.h"
#include "tests/settings/temp_drives.h"

#include <benchmark/benchmark.h>

namespace
{
const char* const kGga = "$GPGGA,103902.00,5128.0210,N,00007.5570,W,1,08,1.01,45.3,M,47.0,M,,*7A\r\n";

void LogOneLine(benchmark::State& state, bool bTimeStamp)
{
    CTempDrives drives;
    drives.AddFixedDisk('D');
    CDataLogger logger;
    logger.m_bTimeStamp = bTimeStamp ? 1 : 0;
    logger.StartStampedRun();
    for (auto _ : state)
        LogSentence(logger, kGga);
    state.SetItemsProcessed(state.iterations());
}

void BM_LogSentence(benchmark::State& state) { LogOneLine(state, false); }
void BM_LogSentenceWithTimeStamp(benchmark::State& state) { LogOneLine(state, true); }

BENCHMARK(BM_LogSentence);
BENCHMARK(BM_LogSentenceWithTimeStamp);
}  // namespace

BENCHMARK_MAIN();
