#pragma once
// The data logger window. As soon as it opens it finds the receiver, starts its own link
// and a logging run into a file named after the start time, then logs every received line.
// It shows the position of the last GGA sentence, the log file's name, how full the log
// drive is, and a lamp that changes colour with every GGA sentence. Logging ends when the
// window closes; closing (close box, Escape or Enter) asks first.
#include "logging/data_logger.h"
#include "views/receiver_dialog.h"

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <string>

class CDataLoggerDlg : public CReceiverDialog
{
    Q_OBJECT
public:
    explicit CDataLoggerDlg(IPrompt& prompt, const SComsPacing& pacing = {}, QWidget* pParent = nullptr);

    static constexpr int kRangeDisk = 32768;

protected:
    bool OnInitDialog() override;
    void DoDataExchange() override;
    void OnOK() override { AskToClose(kQuestion, kIdCancel); }
    void OnCancel() override { AskToClose(kQuestion, kIdCancel); }

    // Logs the line whatever its type, then shows the file name, the position and the lamp.
    void OnLine(std::string_view line) override;
    // The first record after the receiver is back begins with a time tag when time tags
    // are on, so the gap shows in the log.
    void OnReceiverGone() override { m_logger.TagNextRecord(); }
    void UpdateDiskUsage();

    CDataLogger m_logger;
    QFont m_fontFileName;
    QFont m_fontPosition;
    std::string m_strShownLat;
    std::string m_strShownLon;
    std::string m_strShownFileName;
    QLabel m_stcFileName;
    QLabel m_stcLatitude;
    QLabel m_stcLongitude;
    QProgressBar m_progDisk;
    QPushButton m_btnLamp;
    // The red and green balls, made once: the lamp changes with every GGA sentence.
    QIcon m_iconRed;
    QIcon m_iconGreen;

    // Class-wide: whether the lamp shows green.
    static bool s_bLampGreen;

private:
    static constexpr const char* kQuestion = "Do you want to close the Datalogger";

    void ShowLamp(bool bGreen);
    static void ShowIfChanged(std::string& strShown, const std::string& strText, QLabel& label);
};
