#include "views/gps_text_page.h"

#include <QFontMetrics>
#include <QLabel>
#include <algorithm>

#include "platform/qt/text_codec.h"
#include "views/cell_height_font.h"
#include "resources/dialog_template.h"

namespace
{
// The fields' font is asked for by its cell height (ascent plus descent) in pixels.
constexpr int kFieldCellHeight = 24;

// The field font, made smaller where a text would not fit its field: the substitutes of
// the font face that a system offers may be wider than the face itself.
QFont FittingFont(const QFont& font, const QString& text, int nWidth)
{
    const int nTextWidth = QFontMetrics(font).horizontalAdvance(text);
    const int nRoom = nWidth - 4;
    if (nTextWidth <= nRoom || nTextWidth == 0)
        return font;
    QFont smaller = font;
    smaller.setPixelSize(std::max(1, font.pixelSize() * nRoom / nTextWidth));
    return smaller;
}
} // namespace

CGpsTextPP::CGpsTextPP() : CColourPropertyPage(kIddGpsText), m_font(BoldCellHeightFont("Tahoma", kFieldCellHeight)) {}

bool CGpsTextPP::OnInitDialog()
{
    for (int nId : CGpsTextFields::kFieldIds)
    {
        if (QWidget* pField = GetDlgItem(nId))
            pField->setFont(m_font);
    }
    m_nShownRevision = m_fields.Revision() - 1; // show whatever arrived before
    ShowFields();
    return true;
}

void CGpsTextPP::UpdatePosition(double dLat, double dLon, double dHeight, double dSeparation,
                                int nSatsUsed, double dHdop, int nFixState)
{
    m_fields.UpdatePosition(dLat, dLon, dHeight, dSeparation, nSatsUsed, dHdop, nFixState);
    ShowFields();
}

void CGpsTextPP::ShowFields()
{
    if (!HasControls() || m_fields.Revision() == m_nShownRevision)
        return;
    m_nShownRevision = m_fields.Revision();
    for (int nId : CGpsTextFields::kFieldIds)
    {
        auto* pLabel = GetDlgItemAs<QLabel>(nId);
        if (pLabel == nullptr)
            continue;
        const QString text = ToQString(m_fields.Text(nId));
        if (pLabel->text() != text)
        {
            pLabel->setFont(FittingFont(m_font, text, pLabel->width()));
            pLabel->setText(text);
        }
    }
    if (auto* pFix = GetDlgItemAs<QLabel>(CGpsTextFields::kFix))
    {
        const SRgbColour colour = m_fields.FixColour();
        QPalette palette = pFix->palette();
        const QColor crFix(colour.r, colour.g, colour.b);
        if (palette.color(QPalette::WindowText) != crFix)
        {
            palette.setColor(QPalette::WindowText, crFix);
            pFix->setPalette(palette);
        }
    }
}
