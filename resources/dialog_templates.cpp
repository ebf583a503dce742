#include "resources/dialog_template.h"

#include <algorithm>

namespace {

constexpr unsigned kCentredText = kAlignCentre | kVCentre;
constexpr unsigned kDialogFrame = kDlgCaption | kDlgSysMenu;
constexpr int kUnnamed = -1;

// A big text field of the monitor windows: one centred line.
SDlgItem Field(int nId, int x, int y, int cx, int cy, const char* pszPlaceholder)
{
    return {nId, EControlKind::kText, x, y, cx, cy, pszPlaceholder, kCentredText};
}

SDlgItem Frame(int nId, int x, int y, int cx, int cy)
{
    return {nId, EControlKind::kBlackFrame, x, y, cx, cy, "", kStyleNone};
}

SDlgItem Picture(int nId, int x, int y, int cx, int cy)
{
    return {nId, EControlKind::kPicture, x, y, cx, cy, "", kStyleNone};
}

SDlgItem Button(int nId, int x, int y, int cx, int cy, const char* pszText, unsigned nStyle = kTabStop)
{
    return {nId, EControlKind::kPushButton, x, y, cx, cy, pszText, nStyle};
}

// A property page of the GPS sheet: every page has the same size and font.
SDlgTemplate Page(int nId, const char* pszCaption, std::vector<SDlgItem> items)
{
    return {nId, pszCaption, 345, 258, "MS Sans Serif", 8, kDlgChild, std::move(items)};
}

// One sentence counter of the NMEA page: its fixed label and its count field to the right.
void AddCounter(std::vector<SDlgItem>& items, const char* pszLabel, int x, int nCountId, int xCount)
{
    items.push_back({kUnnamed, EControlKind::kText, x, 18, 18, 12, pszLabel, kStyleNone});
    items.push_back({nCountId, EControlKind::kText, xCount, 18, 13, 12, "0", kStyleNone});
}

std::vector<SDlgItem> NmeaMonitorItems()
{
    std::vector<SDlgItem> items;
    items.push_back({1174, EControlKind::kGroupBox, 7, 7, 148, 27, "Position", kStyleNone});
    AddCounter(items, "GGA", 18, 1020, 43);
    AddCounter(items, "RMC", 63, 1033, 88);
    AddCounter(items, "GLL", 108, 1024, 133);
    items.push_back({1209, EControlKind::kGroupBox, 159, 7, 89, 27, "Satellite Quality", kStyleNone});
    AddCounter(items, "GSA", 170, 1026, 188);
    AddCounter(items, "GSV", 206, 1028, 224);
    items.push_back({1236, EControlKind::kGroupBox, 253, 7, 81, 27, "SOG / COG", kStyleNone});
    AddCounter(items, "VTG", 260, 1037, 278);
    AddCounter(items, "RMC", 296, 1032, 314);
    items.push_back({1040, EControlKind::kListBox, 7, 38, 333, 194, "", kBorder | kVScroll | kNoSelect});
    items.push_back(Button(1041, 7, 236, 50, 14, "Reset"));
    return items;
}

std::vector<SDlgTemplate> MakeTemplates()
{
    std::vector<SDlgTemplate> templates;

    templates.push_back({kIddMain, "Zephyrane", 427, 311, "MS Shell Dlg", 8, kDialogFrame | kDlgSizingBorder, {
        Picture(1015, 6, 7, 411, 72),
        Picture(1014, 5, 88, 270, 200),
        Picture(1005, 290, 96, 119, 27),
        Picture(1008, 290, 127, 119, 27),
        Picture(1011, 290, 158, 119, 27),
        Picture(1013, 290, 189, 119, 27),
        Picture(1016, 290, 221, 119, 27),
        Picture(1017, 290, 253, 119, 27),
        {1000, EControlKind::kText, 0, 295, 427, 16, "", kAlignCentre},
    }});

    templates.push_back({kIddComPorts, "COM Port Available", 299, 176, "MS Shell Dlg", 8, kDialogFrame, {
        {1001, EControlKind::kListBox, 7, 7, 285, 140, "", kBorder | kVScroll | kSorted | kNoSelect},
        // Which receiver the monitor windows read (the choice made on the list's menu).
        {1002, EControlKind::kText, 7, 158, 228, 9, "", kStyleNone},
        Button(kIdOk, 242, 155, 50, 14, "OK", kTabStop | kDefaultButton),
    }});

    templates.push_back({kIddNetworkReceiver, "Network receiver", 186, 108, "MS Shell Dlg", 8, kDialogFrame, {
        {kUnnamed, EControlKind::kText, 7, 9, 40, 8, "Kind", kStyleNone},
        {1101, EControlKind::kDropList, 50, 7, 129, 60, "", kTabStop},
        {kUnnamed, EControlKind::kText, 7, 27, 40, 8, "Host", kStyleNone},
        {1102, EControlKind::kEdit, 50, 25, 129, 12, "", kTabStop},
        {kUnnamed, EControlKind::kText, 7, 45, 40, 8, "Port", kStyleNone},
        {1103, EControlKind::kEdit, 50, 43, 50, 12, "", kTabStop},
        {kUnnamed, EControlKind::kText, 7, 60, 172, 26,
         "gpsd: empty Host and Port mean localhost:2947. UDP: Host is an address of this machine to listen on, "
         "empty for all.",
         kStyleNone},
        Button(kIdOk, 75, 89, 50, 14, "OK", kTabStop | kDefaultButton),
        Button(kIdCancel, 129, 89, 50, 14, "Cancel"),
    }});

    templates.push_back({kIddSatVis, "Satellite Visibility", 523, 530, "MS Shell Dlg", 8, kDialogFrame, {
        Field(1002, 7, 7, 147, 23, "Latitude"),
        Field(1003, 7, 32, 147, 23, "Longitude"),
        Field(1005, 7, 57, 147, 23, "Height"),
        Field(1006, 7, 82, 147, 23, "HDOP"),
        Field(1008, 7, 107, 147, 23, "PDOP"),
        Field(1009, 7, 132, 147, 23, "VDOP"),
        Field(1010, 7, 157, 147, 23, "Sats Used"),
        Field(1011, 7, 182, 147, 23, "Sats Available"),
        Field(1012, 7, 207, 147, 23, "Fix"),
        Field(1013, 7, 232, 147, 23, "COG"),
        Field(1014, 7, 257, 147, 23, "SOG"),
        Frame(1042, 175, 7, 341, 272),
        Frame(1004, 7, 285, 509, 105),
        Frame(1007, 7, 396, 509, 105),
        Button(kIdOk, 466, 509, 50, 14, "Exit", kTabStop | kDefaultButton),
    }});

    templates.push_back({kIddDataLogger, "DataLogger", 321, 79, "MS Shell Dlg", 8,
                         kDialogFrame | kDlgMinimizeBox | kDlgSizingBorder, {
        Field(1002, 7, 7, 150, 18, "n/a"),
        Field(1003, 164, 7, 150, 18, "n/a"),
        Button(1009, 7, 31, 38, 35, "Button1", kTabStop | kFlat | kIconButton),
        {1006, EControlKind::kProgressBar, 54, 31, 260, 19, "", kBorder | kSmooth},
        Field(1012, 54, 52, 260, 18, "Not Logging"),
    }});

    templates.push_back(Page(kIddGpsText, "GPS Data", {
        Field(1002, 5, 16, 147, 23, "Latitude"),
        Field(1003, 193, 15, 147, 23, "Longitude"),
        Field(1005, 5, 51, 102, 23, "Height"),
        Field(1007, 118, 51, 222, 23, "Geodetic Separation"),
        Field(1006, 5, 86, 100, 23, "HDOP"),
        Field(1008, 122, 86, 100, 23, "PDOP"),
        Field(1009, 239, 86, 100, 23, "VDOP"),
        Field(1010, 5, 121, 147, 23, "Sats Used"),
        Field(1011, 193, 121, 147, 23, "Sats Available"),
        Field(1012, 106, 156, 147, 23, "PQly"),
        Field(1013, 5, 191, 147, 23, "COG"),
        Field(1014, 193, 191, 147, 23, "SOG"),
    }));
    templates.push_back(Page(kIddSatVizPage, "Sat Viz", {Frame(1042, 7, 7, 333, 244)}));
    templates.push_back(Page(kIddSatellitesPage, "Satellites", {
        Frame(1004, 7, 7, 333, 120),
        Frame(1007, 7, 129, 333, 120),
    }));
    templates.push_back(Page(kIddNmeaMonitor, "NMEA Monitor", NmeaMonitorItems()));
    templates.push_back(Page(kIddScatterPlot, "Scatter Plot", {Frame(1002, 7, 7, 333, 244)}));
    templates.push_back(Page(kIddPositionMonitoring, "Position Monitoring", {
        Frame(1003, 7, 7, 333, 81),
        Frame(1004, 7, 88, 333, 81),
        Frame(1008, 7, 169, 333, 81),
    }));
    return templates;
}

} // namespace

const SDlgTemplate* FindDialogTemplate(int nId)
{
    static const std::vector<SDlgTemplate> kTemplates = MakeTemplates();
    const auto found = std::find_if(kTemplates.begin(), kTemplates.end(),
                                    [nId](const SDlgTemplate& t) { return t.nId == nId; });
    return found == kTemplates.end() ? nullptr : &*found;
}
