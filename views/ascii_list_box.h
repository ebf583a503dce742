#pragma once
// The raw sentence list of the NMEA monitor: received bytes shown newest on top, in one of
// four display modes (Normal, ASCII, Decimal, HEX) chosen from its right-click menu. The
// list holds one screenful; older lines drop off the bottom.
#include "views/colour_list_box.h"

#include <array>
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
    // The width that lines are broken to: the list's, less the widest piece of the mode.
    int LineWidth() const;

    bool m_bMenu = false; // the mode menu is offered only when set
    int m_nMode = 0;      // EAsciiDisplayMode

protected:
    void mousePressEvent(QMouseEvent* pEvent) override;

private:
    void ShowModeMenu(const QPoint& ptScreen);
    // The pieces of one display mode in the list's font: the widest piece, and the widest
    // width per character among the pieces of more than one character (0 when none).
    struct SPieceWidths
    {
        int nWidest = 0;
        int nCharWidth = 0;
    };
    const SPieceWidths& ModePieces() const;

    // Measured the first time a mode is used; the list's font does not change.
    mutable std::array<SPieceWidths, 4> m_pieceWidths{{{-1, 0}, {-1, 0}, {-1, 0}, {-1, 0}}};
};
