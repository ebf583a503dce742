#pragma once
// Dialog templates as data: each window and property page is described by a template
// (caption, size, font and controls, all measured in dialog units) from which the window
// builder creates the widgets. Identifiers are the numbers the windows are known by.
#include <string>
#include <vector>

enum class EControlKind {
    kText,        // static text
    kPicture,     // static area that shows a picture or is painted by its window
    kBlackFrame,  // static black frame, the area a chart is drawn into
    kGroupBox,
    kPushButton,
    kListBox,
    kProgressBar,
    kEdit,        // one line of text the user types
    kDropList,    // a list to choose one entry from, shown when opened
};

// Control styles, combined as bits.
enum EControlStyle : unsigned {
    kStyleNone = 0,
    kAlignCentre = 1u << 0,      // text centred horizontally
    kAlignRight = 1u << 1,
    kVCentre = 1u << 2,          // single line of text centred vertically
    kBorder = 1u << 3,
    kVScroll = 1u << 4,
    kSorted = 1u << 5,           // list box keeps its entries in alphabetical order
    kNoSelect = 1u << 6,         // list box without selection
    kDefaultButton = 1u << 7,
    kTabStop = 1u << 8,
    kFlat = 1u << 9,
    kIconButton = 1u << 10,      // button that shows an icon instead of its text
    kSmooth = 1u << 11,          // progress bar drawn as one smooth bar
};

// Window styles of a template.
enum EDialogStyle : unsigned {
    kDlgNone = 0,
    kDlgCaption = 1u << 0,
    kDlgSysMenu = 1u << 1,       // the title bar has a close box
    kDlgSizingBorder = 1u << 2,
    kDlgMinimizeBox = 1u << 3,
    kDlgChild = 1u << 4,         // property page: lives inside a sheet
};

struct SDlgItem {
    int nId;              // -1 for controls nobody addresses
    EControlKind kind;
    int x, y, cx, cy;     // dialog units
    std::string strText;  // Windows-1252
    unsigned nStyle;
};

struct SDlgTemplate {
    int nId;
    std::string strCaption;
    int cx, cy;           // client size in dialog units
    std::string strFontFace;
    int nFontPoints;
    unsigned nStyle;
    std::vector<SDlgItem> items;
};

// Template identifiers.
enum : int {
    kIddMain = 102,
    kIddComPorts = 130,
    kIddSatVis = 132,
    kIddDataLogger = 144,
    kIddNetworkReceiver = 150,
    kIddGpsText = 7023,
    kIddSatVizPage = 7025,
    kIddSatellitesPage = 7026,
    kIddNmeaMonitor = 7027,
    kIddScatterPlot = 7208,
    kIddPositionMonitoring = 7209,
};

// The control identifier of the OK and Cancel commands.
enum : int { kIdOk = 1, kIdCancel = 2 };

// The template with that identifier, or null when there is none.
const SDlgTemplate* FindDialogTemplate(int nId);
