#pragma once
// The spans of the graph pages, kept in the configuration file "Gps Graph", and the choices
// of the graph pages' right-click menu.
#include <cstdint>

struct SGpsGraphSpans
{
    int m_nTimeSpanMinutes = 10;
    std::int16_t m_nYSpan = 10;
};

// Reads "Time Span" and "Y Span" in that order; a missing file, or a span below 1 (which
// would leave the graphs without a time axis), gives the default of 10.
SGpsGraphSpans LoadGpsGraphSpans();
// Rewrites the file whole; a file that cannot be opened is silently skipped.
void SaveGpsGraphSpans(const SGpsGraphSpans& spans);

// One item of the menu: a command and the value it selects. A command of 0 is a separator.
struct SGraphMenuItem
{
    int nCommand;
    const char* pText;
    int nValue;
};
extern const SGraphMenuItem kTimeSpanItems[13];
extern const SGraphMenuItem kYSpanItems[9];
constexpr int kClearAllCommand = 5000;

// What the sheet must be told after a menu choice.
enum class EGraphReset
{
    kNone,
    kTimeSpan,
    kYSpan,
    kGraph
};
struct SGraphMenuAction
{
    EGraphReset reset = EGraphReset::kNone;
    int nWParam = 0;
};

// Applies a chosen command (0 when the menu was dismissed) to the spans.
SGraphMenuAction ApplyGraphMenuCommand(int nCommand, SGpsGraphSpans& spans);
