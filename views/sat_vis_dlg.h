#pragma once
// The compact one-window monitor: position, height, DOP values, satellite counts, fix,
// course and speed in a column of large texts, the sky plot beside them and the signal and
// elevation bars below. It owns its own receiver link and decodes what it shows; it keeps
// no history. Closing ("Exit", Enter, the close box, Escape) asks first.
#include "charts/satellite_chart.h"
#include "nmea/course_speed.h"
#include "nmea/sky_model.h"
#include "views/colour_button.h"
#include "views/receiver_dialog.h"

#include <QFont>
#include <QFrame>

class CSatVisDlg : public CReceiverDialog
{
    Q_OBJECT
public:
    explicit CSatVisDlg(IPrompt& prompt, const SComsPacing& pacing = {}, QWidget* pParent = nullptr);

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    // "Exit" ends with the OK result, the close box and Escape with Cancel.
    void OnOK() override { AskToClose(kQuestion, kIdOk); }
    void OnCancel() override { AskToClose(kQuestion, kIdCancel); }
    void paintEvent(QPaintEvent* pEvent) override;

    // GGA, GSA, GSV and VTG sentences update the fields and the charts.
    void OnLine(std::string_view line) override;

    CSatelliteChart m_chart;
    QFrame m_frmElevation;
    QFrame m_frmSkyPlot;
    QFrame m_frmSnr;
    CSkyModel m_sky;
    SCourseAndSpeed m_courseAndSpeed;
    QFont m_font;
    CColourButton m_btnExit;

private:
    // The question names the NMEA monitor, as the program's other monitor asks it.
    static constexpr const char* kQuestion = "Do you want to close the NMEA Monitor";

    void SetFix(int nFixState, int nHighestShown);
};
