#include "views/nmea_monitor_page.h"

#include <cstring>

#include "resources/dialog_template.h"
#include "platform/qt/theme.h"

namespace
{
// The count fields of each type; RMC is shown under "Position" and under "SOG / COG".
struct SCountFields
{
    int nFirst;
    int nSecond;
};
constexpr SCountFields kCountFields[CSentenceCounts::kTypeCount] = {
    {1020, 0}, {1033, 1032}, {1024, 0}, {1026, 0}, {1028, 0}, {1037, 0}};
} // namespace

CNmeaGpsMonitorPP::CNmeaGpsMonitorPP() : CColourPropertyPage(kIddNmeaMonitor) {}

void CNmeaGpsMonitorPP::DoDataExchange()
{
    DdxControl(kIdList, m_list);
    DdxControl(kIdReset, m_btnReset);
}

bool CNmeaGpsMonitorPP::OnInitDialog()
{
    m_list.SetBackgroundBrush(QBrush(theme::kBackground));
    m_list.m_bMenu = true;
    return true;
}

void CNmeaGpsMonitorPP::OnCommand(int nId)
{
    if (nId == kIdReset)
        OnReset();
}

bool CNmeaGpsMonitorPP::AddSentence(const char* pText)
{
    if (pText == nullptr)
        return false;
    m_list.AddText(pText, std::strlen(pText));
    const int nType = m_counts.Count(pText);
    if (nType >= 0)
        ShowCount(nType);
    return true;
}

void CNmeaGpsMonitorPP::ShowCount(int nType)
{
    const std::string text = m_counts.DisplayText(nType);
    SetDlgItemText(kCountFields[nType].nFirst, text);
    if (kCountFields[nType].nSecond != 0)
        SetDlgItemText(kCountFields[nType].nSecond, text);
}

void CNmeaGpsMonitorPP::OnReset()
{
    if (HasControls())
        m_list.ResetContent();
    m_counts.Reset();
    for (int nType = 0; nType < CSentenceCounts::kTypeCount; ++nType)
        ShowCount(nType);
}

bool CNmeaGpsMonitorPP::OnSetActive()
{
    OnReset();
    return CColourPropertyPage::OnSetActive();
}
