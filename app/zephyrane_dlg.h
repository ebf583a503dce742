#pragma once
// The launcher: the program's main window. A banner, a large picture area and six hover
// buttons; moving over a button lights it and shows its help picture, a click hides the
// launcher, runs the chosen window modally and shows the launcher again.
#include "app/hover_button.h"
#include "views/colour_dialog_ex.h"

#include <QFont>
#include <QIcon>
#include <QLabel>

#include <array>

class IProgramLauncher;
class IPrompt;

class CZephyraneDlg : public CColourDialogEx
{
    Q_OBJECT
public:
    // prompt shows the messages of the launcher and of the windows it opens; launcher starts
    // the driver set-up. Both must outlive the dialog.
    CZephyraneDlg(IPrompt& prompt, IProgramLauncher& launcher, QWidget* pParent = nullptr);

    // Runs the launcher until it ends. Unlike a plain modal run, hiding the launcher while
    // one of its windows is open does not end it.
    int DoModal();

    // The buttons in their order on the window, for the mouse handlers (and tests).
    const std::array<CHoverButton*, 6>& Buttons() const { return m_buttons; }
    const QLabel& Picture() const { return m_stcPicture; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    void mouseMoveEvent(QMouseEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;

    // Ends the process at once with exit code 0, as the "Exit" button does.
    virtual void ExitProcess();

private:
    void OnMouseMove(const QPoint& point);
    void OnLButtonDown(const QPoint& point);
    // Hides the main window, runs the GPS monitor sheet and shows the main window again.
    void RunGpsMonitor();
    // Hides the launcher while window runs modally, then shows it again.
    void RunHidden(CModalDialog& window);

    IPrompt& m_prompt;
    QIcon m_hIcon;
    CHoverButton m_btnComPorts;
    CHoverButton m_btnNmeaMonitor;
    CHoverButton m_btnSatViz;
    CHoverButton m_btnDataLogger;
    CHoverButton m_btnDrivers;
    CHoverButton m_btnExit;
    QFont m_pFont;
    QLabel m_stcWebAddress;
    QLabel m_stcBanner;
    QLabel m_stcPicture;
    std::array<CHoverButton*, 6> m_buttons;
};
