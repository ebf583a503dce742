#pragma once
// The raw sentence list of the NMEA monitor: received bytes shown newest on top, in one of
// four display modes (Normal, ASCII, Decimal, HEX) chosen from its right-click menu. The
// list holds one screenful; older lines drop off the bottom.
#include "views/colour_list_box.h"

#include <cstddef>

class CAsciiListBox : public CColourListBox
{
    Q_OBJECT
public:
    // Menu commands of the four modes.
    enum : int
    {
        kCmdNormal = 1001,
        kCmdAscii = 1002,
        kCmdDecimal = 1003,
        kCmdHex = 1004
    };

    explicit CAsciiListBox(QWidget* pParent = nullptr);

    // Adds the bytes as new lines at the top; a length of 0 means up to the first NUL.
    void AddText(const char* pData, std::size_t nLength);

    // The width estimate of one character when breaking lines.
    int AverageCharWidth() const;

    bool m_bMenu = false; // the mode menu is offered only when set
    int m_nMode = 0;      // EAsciiDisplayMode

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;

private:
    void ShowModeMenu(const QPoint& ptScreen);
};
