// How long the live monitor takes per received sentence: one hour of a 10 Hz receiver
// (GGA, GSA, three GSV, RMC, VTG and GLL each epoch) fed through the sheet's message handler
// one epoch per message, as the comms thread delivers it, with all pages created and the
// events processed after each message, so that the repaint of the visible page is included.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "nmea/sentence.h"
#include "platform/clock.h"
#include "tests/support/pty_receiver.h"
#include "tests/support/scripted_prompt.h"
#include "tests/settings/temp_drives.h"
#include "views/gps_property_sheet.h"

namespace
{

constexpr int kEpochsPerHour = 36000;

std::string Sentence(const char* pBody)
{
    char suffix[8];
    std::snprintf(suffix, sizeof suffix, "*%02X\r\n", NmeaChecksum(pBody));
    return std::string(pBody) + suffix;
}

// One epoch of a receiver standing near a fixed place, with 12 satellites crossing the sky.
std::string Epoch(int n)
{
    char body[160];
    std::string text;
    const double dSeconds = n / 10.0;
    const int nHour = 10 + static_cast<int>(dSeconds) / 3600;
    const int nMinute = static_cast<int>(dSeconds) / 60 % 60;
    const double dSecond = std::fmod(dSeconds, 60.0);
    const double dWander = 0.0005 * std::sin(n * 0.013) + 0.0002 * std::cos(n * 0.31);
    const double dHeight = 45.0 + 3.0 * std::sin(n * 0.002);
    std::snprintf(body, sizeof body,
                  "$GPGGA,%02d%02d%05.2f,5128.%04d,N,00007.%04d,W,1,09,0.9,%.1f,M,47.0,M,,", nHour,
                  nMinute, dSecond, 6380 + static_cast<int>(dWander * 10000), 5000 + n % 7,
                  dHeight);
    text += Sentence(body);
    text += Sentence("$GPGSA,A,3,03,06,09,12,17,19,22,25,28,,,,1.6,0.9,1.3");
    for (int nMessage = 1; nMessage <= 3; ++nMessage)
    {
        int nLength = std::snprintf(body, sizeof body, "$GPGSV,3,%d,12", nMessage);
        for (int k = 0; k < 4; ++k)
        {
            const int nSat = (nMessage - 1) * 4 + k;
            const int nElevation = 10 + (nSat * 7 + n / 600) % 80;
            const int nAzimuth = (nSat * 30 + n / 100) % 360;
            nLength += std::snprintf(body + nLength, sizeof body - nLength, ",%02d,%02d,%03d,%02d",
                                     3 * nSat + 3, nElevation, nAzimuth, 20 + (nSat * 3 + n) % 30);
        }
        text += Sentence(body);
    }
    text += Sentence("$GPRMC,100000.00,A,5128.6380,N,00007.5000,W,0.12,45.5,091226,,,A");
    text += Sentence("$GPVTG,45.5,T,,M,0.12,N,0.22,K,A");
    text += Sentence("$GPGLL,5128.6380,N,00007.5000,W,100000.00,A,A");
    return text;
}

class CMonitorBench
{
public:
    CMonitorBench()
    {
        m_receiver.Send("$GPTXT,01,01,02,probe*00\r\n");
        m_pSheet = std::make_unique<CGpsPropertySheet>(m_prompt);
        m_pSheet->show();
        for (int i = 0; i < m_pSheet->GetPageCount(); ++i)
        {
            m_pSheet->SetActivePage(i);
            QApplication::processEvents();
        }
        m_ring.Allocate();
    }

    CTempDrives m_environment;
    CPtyReceiver m_receiver;
    CScriptedPrompt m_prompt;
    std::unique_ptr<CGpsPropertySheet> m_pSheet;
    SRxRing m_ring;
};

// Argument: the page shown while the data arrive.
void BM_OneHourAt10Hz(benchmark::State& state)
{
    auto pClock = std::make_shared<CSettableClock>(SClockTime{2026, 12, 9, 10, 0, 0, 0});
    CMonitorBench bench;
    CScopedClock scopedClock(pClock);
    bench.m_pSheet->SetActivePage(static_cast<int>(state.range(0)));
    QApplication::processEvents();
    QWidget* pPage = bench.m_pSheet->GetActivePage();
    QImage image(pPage->size(), QImage::Format_RGB32);
    std::vector<std::string> epochs;
    for (int n = 0; n < kEpochsPerHour; ++n)
        epochs.push_back(Epoch(n));
    int n = 0;
    std::int64_t nSentences = 0;
    for (auto _ : state)
    {
        const std::string& epoch = epochs[static_cast<std::size_t>(n % kEpochsPerHour)];
        pClock->Advance(100);
        bench.m_ring.Append(epoch.data(), epoch.size());
        bench.m_pSheet->OnReceiveData(0, reinterpret_cast<LParam>(&bench.m_ring));
        QApplication::processEvents();
        // The platform paints on its own timer and only windows it shows; painting the visible
        // page here makes the repaint that the message asked for part of every step.
        pPage->render(&image);
        nSentences += 8;
        ++n;
    }
    state.SetItemsProcessed(nSentences);
    state.counters["per_sentence"] = benchmark::Counter(
        static_cast<double>(nSentences), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.SetLabel(bench.m_pSheet->GetActivePage()->GetCaption());
}

} // namespace

// Every page once as the visible one, each over one hour of epochs.
BENCHMARK(BM_OneHourAt10Hz)
    ->DenseRange(0, 6)
    ->Iterations(kEpochsPerHour)
    ->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
