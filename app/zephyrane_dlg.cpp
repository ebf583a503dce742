#include "app/zephyrane_dlg.h"

#include "app/scaled_picture.h"
#include "logging/data_logger_dlg.h"
#include "serial/com_ports_available_dlg.h"
#include "resources/images.h"
#include "views/gps_property_sheet.h"
#include "views/sat_vis_dlg.h"

#include <QEventLoop>
#include <QMouseEvent>

#include <cstdio>
#include <cstdlib>

namespace {

// Control identifiers of the launcher's template.
enum : int {
    kIdWebAddress = 1000,
    kIdComPorts = 1005,
    kIdNmeaMonitor = 1008,
    kIdSatViz = 1011,
    kIdDataLogger = 1013,
    kIdPicture = 1014,
    kIdBanner = 1015,
    kIdDrivers = 1016,
    kIdExit = 1017,
};

constexpr int kLauncherTemplate = 102;
constexpr const char* kWebAddress = "www.brivon-technology.example";

// The driver set-up for this process's word size, as the bridge maker names its installers.
constexpr const char* kDriverInstaller =
    sizeof(void*) == 8 ? "CP210xVCPInstaller_x64.exe" : "CP210xVCPInstaller_x86.exe";

struct SButtonSetup {
    int nId;
    const char* pszCaption;
    const char* pszProgram;
    const char* pszParams;
    int nPicture;
};

const SButtonSetup kButtonSetups[] = {
    {1, "Com Ports Available", "", "", kBmpCardComPorts},
    {2, "NMEA Monitor", "", "", kBmpCardMonitor},
    {3, "Sat Viz", "", "", kBmpCardSatViz},
    {4, "Data Logger", "", "", kBmpCardDataLogger},
    {5, "Drivers", kDriverInstaller, "/A", kBmpCardDrivers},
    {6, "Exit", "", "", kBmpProductCard},
};

}  // namespace

CZephyraneDlg::CZephyraneDlg(IPrompt& prompt, IProgramLauncher& launcher, QWidget* pParent)
    : CColourDialogEx(kLauncherTemplate, pParent),
      m_prompt(prompt),
      m_hIcon(LoadIconResource(kIconApp)),
      m_btnComPorts(prompt, launcher),
      m_btnNmeaMonitor(prompt, launcher),
      m_btnSatViz(prompt, launcher),
      m_btnDataLogger(prompt, launcher),
      m_btnDrivers(prompt, launcher),
      m_btnExit(prompt, launcher),
      m_pFont(QStringLiteral("Arial Narrow"), 12),
      m_buttons{&m_btnComPorts, &m_btnNmeaMonitor, &m_btnSatViz, &m_btnDataLogger, &m_btnDrivers, &m_btnExit}
{
    // The launcher lights its buttons as the mouse moves over them, pressed or not.
    setMouseTracking(true);
}

void CZephyraneDlg::DoDataExchange()
{
    DdxControl(kIdComPorts, m_btnComPorts);
    DdxControl(kIdNmeaMonitor, m_btnNmeaMonitor);
    DdxControl(kIdSatViz, m_btnSatViz);
    DdxControl(kIdDataLogger, m_btnDataLogger);
    DdxControl(kIdDrivers, m_btnDrivers);
    DdxControl(kIdExit, m_btnExit);
    DdxControl(kIdWebAddress, m_stcWebAddress);
    DdxControl(kIdBanner, m_stcBanner);
    DdxControl(kIdPicture, m_stcPicture);
}

bool CZephyraneDlg::OnInitDialog()
{
    setWindowIcon(m_hIcon);
    CColourDialogEx::OnInitDialog();
    // Statics let the mouse through to the window, which drives the buttons.
    for (QLabel* pStatic : {&m_stcWebAddress, &m_stcBanner, &m_stcPicture}) {
        pStatic->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    CHoverButton::SetPictureArea(&m_stcPicture);
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const SButtonSetup& setup = kButtonSetups[i];
        m_buttons[i]->Setup(setup.nId, setup.pszCaption, setup.pszProgram, setup.pszParams, setup.nPicture);
        m_buttons[i]->Paint();
    }

    const QPixmap banner = ScaledBitmapResource(kBmpBanner, m_stcBanner.size());
    if (!banner.isNull()) {
        m_stcBanner.setPixmap(banner);
    }

    m_stcWebAddress.setFont(m_pFont);
    SetDlgItemText(kIdWebAddress, kWebAddress);
    m_stcPicture.setPixmap(m_btnExit.GetPicture());
    return true;
}

int CZephyraneDlg::DoModal()
{
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::exit);
    show();
    return loop.exec();
}

void CZephyraneDlg::mouseMoveEvent(QMouseEvent* pEvent)
{
    OnMouseMove(pEvent->position().toPoint());
    CColourDialogEx::mouseMoveEvent(pEvent);
}

void CZephyraneDlg::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::LeftButton) {
        OnLButtonDown(pEvent->position().toPoint());
    }
    CColourDialogEx::mousePressEvent(pEvent);
}

void CZephyraneDlg::OnMouseMove(const QPoint& point)
{
    // The help picture stays when the mouse leaves a button; it changes only when another
    // button lights up.
    for (CHoverButton* pButton : m_buttons) {
        const bool bOver = pButton->HitTest(point);
        if (bOver && !pButton->m_bHover) {
            pButton->m_bHover = true;
            pButton->Paint();
            m_stcPicture.setPixmap(pButton->GetPicture());
        } else if (!bOver && pButton->m_bHover) {
            pButton->m_bHover = false;
            pButton->Paint();
        }
    }
}

void CZephyraneDlg::ExitProcess()
{
    std::fflush(nullptr);
    std::_Exit(0);
}

void CZephyraneDlg::OnLButtonDown(const QPoint& point)
{
    // The windows a button may open are made afresh for every click; none of them starts its
    // link before it is shown.
    CComPortsAvailableDlg dlgComPorts(m_prompt, this);
    CSatVisDlg dlgSatViz(m_prompt, {}, this);
    CDataLoggerDlg dlgDataLogger(m_prompt, {}, this);

    for (CHoverButton* pButton : m_buttons) {
        if (!pButton->Click(point)) {
            continue;
        }
        if (pButton == &m_btnComPorts) {
            RunHidden(dlgComPorts);
        } else if (pButton == &m_btnNmeaMonitor) {
            RunGpsMonitor();
        } else if (pButton == &m_btnSatViz) {
            RunHidden(dlgSatViz);
        } else if (pButton == &m_btnDataLogger) {
            RunHidden(dlgDataLogger);
        } else if (pButton == &m_btnExit) {
            ExitProcess();
        }
        break;
    }
}

void CZephyraneDlg::RunGpsMonitor()
{
    // The sheet starts its link as it is made, so it is made once the main window is hidden:
    // the messages of a failed start-up appear on their own.
    hide();
    {
        CGpsPropertySheet sheet(m_prompt);
        sheet.DoModal();
    }
    show();
}

void CZephyraneDlg::RunHidden(CModalDialog& window)
{
    hide();
    window.DoModal();
    show();
}
