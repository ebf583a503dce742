#include "charts/gps_graph_settings.h"

#include "settings/config_file.h"

namespace
{
const char* const kFileName = "Gps Graph";
constexpr int kDefaultSpan = 10;
} // namespace

const SGraphMenuItem kTimeSpanItems[13] = {
    {500, "5 Minutes", 5},    {1000, "10 Minutes", 10}, {1001, "20 Minutes", 20},
    {1002, "30 Minutes", 30}, {1003, "45 Minutes", 45}, {0, "", 0},
    {1004, "1 Hour", 60},     {1005, "2 Hours", 120},   {1006, "3 Hours", 180},
    {1007, "6 Hours", 360},   {1008, "12 hours", 720},  {0, "", 0},
    {1009, "1 Day", 1440}};

const SGraphMenuItem kYSpanItems[9] = {
    {2000, "5 Metres", 5},     {2001, "10 Metres", 10},   {2002, "15 Metres", 15},
    {2003, "20 Metres", 20},   {2004, "25 Metres", 25},   {2005, "50 Metres", 50},
    {2006, "100 Metres", 100}, {2007, "250 Metres", 250}, {2008, "500 Metres", 500}};

SGpsGraphSpans LoadGpsGraphSpans()
{
    SGpsGraphSpans spans;
    CConfigFile file;
    if (file.Open(file.MakeFileName(kFileName), CTextFile::EMode::Read))
    {
        spans.m_nTimeSpanMinutes = file.ReadShort();
        spans.m_nYSpan = file.ReadShort();
        file.Close();
    }
    if (spans.m_nTimeSpanMinutes < 1)
        spans.m_nTimeSpanMinutes = kDefaultSpan;
    if (spans.m_nYSpan < 1)
        spans.m_nYSpan = kDefaultSpan;
    return spans;
}

void SaveGpsGraphSpans(const SGpsGraphSpans& spans)
{
    CConfigFile file;
    if (!file.Open(file.MakeFileName(kFileName), CTextFile::EMode::Write))
        return;
    file.WriteShort("Time Span", static_cast<std::int16_t>(spans.m_nTimeSpanMinutes));
    file.WriteShort("Y Span", spans.m_nYSpan);
    file.Close();
}

SGraphMenuAction ApplyGraphMenuCommand(int nCommand, SGpsGraphSpans& spans)
{
    if (nCommand == 0)
        return {};
    for (const SGraphMenuItem& item : kTimeSpanItems)
    {
        if (item.nCommand == nCommand)
        {
            spans.m_nTimeSpanMinutes = item.nValue;
            return {EGraphReset::kTimeSpan, 0};
        }
    }
    for (const SGraphMenuItem& item : kYSpanItems)
    {
        if (item.nCommand == nCommand)
        {
            spans.m_nYSpan = static_cast<std::int16_t>(item.nValue);
            return {EGraphReset::kYSpan, item.nValue};
        }
    }
    if (nCommand == kClearAllCommand)
        return {EGraphReset::kGraph, 0};
    return {};
}
