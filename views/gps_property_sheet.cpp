#include "views/gps_property_sheet.h"

#include <QSignalBlocker>
#include <QTabWidget>

#include "platform/prompt.h"
#include "serial/messages.h"

namespace
{
const char* const kSheetTitle = "GPS";
const char* const kDopCaption = "DOP / No Sats";
const char* const kCloseQuestion = "Do you want to close the GPS Monitor";
const char* const kCloseCaption = "Exit Program";
} // namespace

CGpsPropertySheet::CGpsPropertySheet(IPrompt& prompt, const SComsPacing& pacing)
    : CColourPropertySheet(kSheetTitle, nullptr, 0), m_prompt(prompt),
      m_link(GetWindowHandle(), prompt)
{
    m_bShowCancel = false;
    m_messageMap.Add(UM_RECEIVE_DATA,
                     [this](WParam wParam, LParam lParam) { OnReceiveData(wParam, lParam); });
    m_messageMap.Add(UM_LINK_STATE,
                     [this](WParam wParam, LParam lParam) { OnLinkState(wParam, lParam); });
    m_messageMap.Add(UM_RESET_GRAPH,
                     [this](WParam wParam, LParam lParam) { OnResetGraph(wParam, lParam); });
    m_messageMap.Add(UM_RESET_TIME_SPAN,
                     [this](WParam wParam, LParam lParam) { OnResetTimeSpan(wParam, lParam); });
    m_messageMap.Add(UM_RESET_Y_SPAN,
                     [this](WParam wParam, LParam lParam) { OnResetYSpan(wParam, lParam); });
    m_bStarted = m_link.Start(pacing) == CReceiverLink::EStart::kStarted;

    m_pageSatViz.m_chart.m_pSky = &m_core.m_sky.View();
    m_pageSatellites.m_chart.m_pSky = &m_core.m_sky.View();
    m_pageDopSat.SetCaption(kDopCaption);
    m_pageDopSat.m_pSheet = &GetWindowHandle();
    m_pageLatLonHt.m_pSheet = &GetWindowHandle();

    AddPage(m_pageText);
    AddPage(m_pageSatViz);
    AddPage(m_pageSatellites);
    AddPage(m_pageDopSat);
    AddPage(m_pageLatLonHt);
    AddPage(m_pageScatter);
    AddPage(m_pageNmea);
    m_linkView.SetTitle(kSheetTitle);
    for (QWidget* pPage : std::initializer_list<QWidget*>{&m_pageText, &m_pageSatViz, &m_pageSatellites,
                                                          &m_pageDopSat, &m_pageLatLonHt, &m_pageScatter,
                                                          &m_pageNmea})
        m_linkView.AddStaleWidget(*pPage);
}

CGpsPropertySheet::~CGpsPropertySheet()
{
    // The thread must be gone before the port, its mutex and the pages go.
    m_link.Stop();
    // The pages are members and go before the base sheet: take them out of the tabs first,
    // without tab changes, which would reach pages that are already gone.
    if (auto* pTabs = findChild<QTabWidget*>())
    {
        const QSignalBlocker blocker(pTabs);
        while (pTabs->count() > 0)
        {
            QWidget* pPage = pTabs->widget(0);
            pTabs->removeTab(0);
            pPage->setParent(nullptr);
        }
    }
}

bool CGpsPropertySheet::OnInitDialog()
{
    CColourPropertySheet::OnInitDialog();
    if (!m_bStarted)
        EndDialog(kIdCancel);
    return true;
}

LParam CGpsPropertySheet::OnReceiveData(WParam, LParam lParam)
{
    auto* pRing = reinterpret_cast<SRxRing*>(lParam);
    if (pRing == nullptr)
        return 0;
    SLineBuffer buffer;
    for (;;)
    {
        std::size_t nLength;
        {
            // The comms thread appends to the port's ring under the same mutex.
            std::lock_guard lock(m_link.Mutex());
            nLength = TakeLine(*pRing, buffer);
        }
        if (nLength == 0)
            break;
        m_core.HandleLine(buffer.data(), nLength);
    }
    return 0;
}

LParam CGpsPropertySheet::OnLinkState(WParam, LParam)
{
    // The graphs, counters and the list carry on where they were when the receiver comes back.
    m_linkView.SetNetwork(m_link.ReadsNetwork());
    m_linkView.Show(m_link.State(), m_link.SilentSeconds());
    return 0;
}

LParam CGpsPropertySheet::OnResetGraph(WParam, LParam)
{
    // Empties the traces of all five graphs; they fill again with the next sentences.
    m_pageLatLonHt.ClearGraphs();
    m_pageDopSat.ClearGraphs();
    return 0;
}

LParam CGpsPropertySheet::OnResetTimeSpan(WParam, LParam)
{
    m_pageLatLonHt.ApplyTimeSpan();
    m_pageDopSat.ApplyTimeSpan();
    return 0;
}

LParam CGpsPropertySheet::OnResetYSpan(WParam, LParam)
{
    m_pageLatLonHt.ApplyYSpans();
    m_pageDopSat.ApplyYSpan();
    return 0;
}

void CGpsPropertySheet::OnBnClickedOk()
{
    if (!m_prompt.AskYesNo(kCloseQuestion, kCloseCaption))
        return;
    m_link.Stop();
    EndDialog(kIdCancel);
}

void CGpsPropertySheet::AddSentence(const char* pLine)
{
    if (m_pageNmea.HasControls())
        m_pageNmea.AddSentence(pLine);
}

void CGpsPropertySheet::AddScatterPosition(double dLat, double dLon)
{
    m_pageScatter.AddPosition(dLat, dLon);
}

void CGpsPropertySheet::AddGraphPosition(double dLat, double dLon, double dHeight)
{
    m_pageLatLonHt.AddPosition(dLat, dLon, dHeight);
}

void CGpsPropertySheet::UpdateDop(double dHdop, double dPdop, double dVdop, int nSatsUsed,
                                  int nSatsInView)
{
    m_pageDopSat.UpdateDop(dHdop, dPdop, dVdop, nSatsUsed, nSatsInView);
}

void CGpsPropertySheet::SatellitesChanged()
{
    if (m_pageSatViz.HasControls())
        m_pageSatViz.update();
    if (m_pageSatellites.HasControls())
        m_pageSatellites.update();
}
