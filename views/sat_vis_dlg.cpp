#include "views/sat_vis_dlg.h"

#include "nmea/sentinels.h"
#include "nmea/decoders.h"
#include "nmea/nmea_angle.h"
#include "nmea/sentence.h"
#include "platform/c_format.h"
#include "platform/qt/painter_canvas.h"
#include "views/cell_height_font.h"
#include "views/gps_text_fields.h"
#include "views/position_text.h"

#include <QPainter>
#include <array>

namespace
{
// The fields have the same identifiers as those of the GPS text page; the frames are where
// the charts go.
using enum CGpsTextFields::EField;
constexpr int kSnrChart = 1004;
constexpr int kElevationChart = 1007;
constexpr int kSkyPlot = 1042;
constexpr std::array<int, 11> kFieldIds = {kLatitude, kLongitude,     kSpeed,    kHdop,   kHeight, kPdop,
                                           kFix,      kSatsAvailable, kSatsUsed, kCourse, kVdop};

CanvasRect ToCanvasRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}
}  // namespace

CSatVisDlg::CSatVisDlg(IPrompt& prompt, const SComsPacing& pacing, QWidget* pParent)
    : CReceiverDialog(kIddSatVis, prompt, pacing, pParent), m_font(BoldCellHeightFont("Tahoma", 24))
{
}

void CSatVisDlg::DoDataExchange()
{
    DdxControl(kElevationChart, m_frmElevation);
    DdxControl(kSkyPlot, m_frmSkyPlot);
    DdxControl(kSnrChart, m_frmSnr);
    DdxControl(kIdOk, m_btnExit);
}

bool CSatVisDlg::OnInitDialog()
{
    CReceiverDialog::OnInitDialog();
    for (int nId : kFieldIds)
    {
        if (QWidget* pField = GetDlgItem(nId))
        {
            pField->setFont(m_font);
            m_linkView.AddStaleWidget(*pField);
        }
        SetDlgItemText(nId, "");
    }
    StartLinkAndSetTitle("Satellite Visibility");
    return true;
}

// The fix field names states 0 up to nHighestShown and is empty for any other state.
void CSatVisDlg::SetFix(int nFixState, int nHighestShown)
{
    SetDlgItemText(kFix, nFixState >= 0 && nFixState <= nHighestShown ? kFixNames[nFixState] : "");
}

void CSatVisDlg::OnLine(std::string_view line)
{
    std::string unwrapped;
    line = UnwrapTrimble(line, unwrapped);
    const ESkyChange change = m_sky.Feed(line);
    const std::string_view type = SentenceType(line);
    if (type == "GSA")
    {
        // The satellites used come from the model, counted over every system.
        std::int32_t nFix = 0;
        double dHdop = 0, dPdop = 0, dVdop = 0;
        SSatTable unused{};
        if (!DecodeGSA(line, &nFix, nullptr, &unused, &dHdop, &dPdop, &dVdop))
            return;
        SetFix(nFix, 2);
        SetDlgItemText(kHdop, FormatC("HDOP %6.2f", dHdop));
        SetDlgItemText(kPdop, FormatC("PDOP %6.2f", dPdop));
        SetDlgItemText(kVdop, FormatC("VDOP %6.2f", dVdop));
        SetDlgItemText(kSatsUsed, FormatC("Sats Used %d", m_sky.Used()));
    }
    else if (type == "GGA")
    {
        double dLatitude = 0, dLongitude = 0, dHeight = 0, dSeparation = 0, dHdop = 0;
        std::int32_t nFix = 0, nUsed = 0;
        if (!DecodeGGA(line, &dLatitude, &dLongitude, &dHeight, &dSeparation, &nFix, &nUsed, &dHdop))
            return;
        if (IsPosition(dLatitude, dLongitude))
        {
            SetDlgItemText(kLatitude, LatitudeText(dLatitude));
            SetDlgItemText(kLongitude, LongitudeText(dLongitude));
        }
        SetDlgItemText(kHeight, FormatC("Height %6.2fm", dHeight));
        SetDlgItemText(kSatsUsed, FormatC("Sats Used %d", CountOrZero(nUsed)));
        SetDlgItemText(kHdop, FormatC("HDOP %6.2f", dHdop));
        SetFix(nFix, 3);
    }
    else if (type == "VTG")
    {
        if (!m_courseAndSpeed.Update(line))
            return;
        SetDlgItemText(kCourse, FormatC("COG %6.2f\xB0", m_courseAndSpeed.m_dCourse));
        SetDlgItemText(kSpeed, FormatC("SOG %6.2f Knots", m_courseAndSpeed.m_dSpeed));
    }
    else if (change == ESkyChange::kView)
    {
        m_chart.m_pSky = &m_sky.View();
        SetDlgItemText(kSatsAvailable, FormatC("Sats Available %d", m_sky.InView()));
        update();
    }
}

void CSatVisDlg::paintEvent(QPaintEvent* pEvent)
{
    CColourDialogEx::paintEvent(pEvent);
    if (!HasControls())
        return;
    QPainter painter(this);
    // Charts of a link that has no data are dimmed like the fields.
    if (m_linkView.IsStale())
        painter.setOpacity(kStaleOpacity);
    PainterCanvas canvas(painter);
    m_chart.DrawSkyPlot(canvas, ToCanvasRect(m_frmSkyPlot.geometry()));
    m_chart.DrawSnrChart(canvas, ToCanvasRect(m_frmSnr.geometry()));
    m_chart.DrawElevationChart(canvas, ToCanvasRect(m_frmElevation.geometry()));
}
