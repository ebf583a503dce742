#include "views/cell_height_font.h"

#include <QFontMetrics>

QFont BoldCellHeightFont(const char* pszFace, int nCellHeight)
{
    QFont font(QString::fromLatin1(pszFace));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(true);
    font.setPixelSize(nCellHeight);
    // The face that stands in for a missing one may have a taller cell: scale it back.
    const int nCell = QFontMetrics(font).height();
    if (nCell > nCellHeight)
        font.setPixelSize(nCellHeight * nCellHeight / nCell);
    return font;
}
