#include "logging/data_logger_dlg.h"

#include "nmea/decoders.h"
#include "nmea/nmea_angle.h"
#include "nmea/sentence.h"
#include "platform/c_format.h"
#include "platform/disk_space.h"
#include "platform/qt/text_codec.h"
#include "resources/images.h"
#include "settings/storage.h"
#include "views/cell_height_font.h"
#include "views/position_text.h"

namespace
{
constexpr int kIdLatitude = 1002;
constexpr int kIdLongitude = 1003;
constexpr int kIdDisk = 1006;
constexpr int kIdLamp = 1009;
constexpr int kIdFileName = 1012;

const QSize kLampIconSize{32, 32};
}  // namespace

bool CDataLoggerDlg::s_bLampGreen = false;

CDataLoggerDlg::CDataLoggerDlg(IPrompt& prompt, const SComsPacing& pacing, QWidget* pParent)
    : CReceiverDialog(kIddDataLogger, prompt, pacing, pParent),
      m_fontFileName(BoldCellHeightFont("Tahoma", 18)),
      m_fontPosition(BoldCellHeightFont("Tahoma", 24)),
      m_iconRed(LoadIconResource(kIconRedBall)),
      m_iconGreen(LoadIconResource(kIconGreenBall))
{
}

void CDataLoggerDlg::DoDataExchange()
{
    DdxControl(kIdFileName, m_stcFileName);
    DdxControl(kIdLatitude, m_stcLatitude);
    DdxControl(kIdLongitude, m_stcLongitude);
    DdxControl(kIdDisk, m_progDisk);
    DdxControl(kIdLamp, m_btnLamp);
}

bool CDataLoggerDlg::OnInitDialog()
{
    CReceiverDialog::OnInitDialog();
    StartLinkAndSetTitle("Datalogger");

    m_logger.StartStampedRun();

    m_stcLatitude.setFont(m_fontPosition);
    m_stcLongitude.setFont(m_fontPosition);
    m_stcFileName.setFont(m_fontFileName);
    m_linkView.AddStaleWidget(m_stcLatitude);
    m_linkView.AddStaleWidget(m_stcLongitude);
    m_linkView.AddStaleWidget(m_btnLamp);
    SetDlgItemText(kIdLatitude, "n/a");
    SetDlgItemText(kIdLongitude, "n/a");
    SetDlgItemText(kIdFileName, "Not Logging");

    m_btnLamp.setIconSize(kLampIconSize);
    ShowLamp(false);

    m_progDisk.setRange(0, kRangeDisk);
    UpdateDiskUsage();
    return true;
}

void CDataLoggerDlg::OnLine(std::string_view line)
{
    LogSentence(m_logger, line);
    UpdateDiskUsage();
    if (m_logger.m_strLogName != m_strShownFileName)
    {
        m_strShownFileName = m_logger.m_strLogName;
        SetDlgItemText(kIdFileName, FormatC("File Name: %s", m_strShownFileName.c_str()));
    }

    const std::string_view type = SentenceType(line);
    if (type == "GGA")
    {
        double dLatitude = 0;
        double dLongitude = 0;
        std::string unwrapped;
        const bool bDecoded = DecodeGGA(UnwrapTrimble(line, unwrapped), &dLatitude, &dLongitude, nullptr,
                                        nullptr, nullptr, nullptr, nullptr);
        ShowLamp(!s_bLampGreen);
        if (bDecoded && IsPosition(dLatitude, dLongitude))
        {
            ShowIfChanged(m_strShownLat, LatitudeText(dLatitude), m_stcLatitude);
            ShowIfChanged(m_strShownLon, LongitudeText(dLongitude), m_stcLongitude);
        }
    }
    else if (type != "RMC" && type != "GLL")
    {
        ShowLamp(false);
    }
}

void CDataLoggerDlg::ShowIfChanged(std::string& strShown, const std::string& strText, QLabel& label)
{
    if (strText == strShown)
        return;
    strShown = strText;
    label.setText(ToQString(strText));
}

void CDataLoggerDlg::ShowLamp(bool bGreen)
{
    s_bLampGreen = bGreen;
    m_btnLamp.setIcon(bGreen ? m_iconGreen : m_iconRed);
}

void CDataLoggerDlg::UpdateDiskUsage()
{
    SDiskSpace space;
    if (!GetDiskSpace(GetLogFolder(std::string()), space))
        return;
    if (const int nPosition = UsedShare(space, kRangeDisk); nPosition >= 0)
        m_progDisk.setValue(nPosition);
}
