#include "charts/gps_graph_page.h"

#include <QMouseEvent>

#include "charts/time_series_graph.h"
#include "platform/window_messages.h"
#include "serial/messages.h"
#include "settings/time_stamp.h"
#include "platform/qt/popup_menu.h"

CGpsGraphPropertyPage::CGpsGraphPropertyPage(int nTemplateId) : CChartPage(nTemplateId)
{
    const SGpsGraphSpans spans = LoadGpsGraphSpans();
    m_nTimeSpanMinutes = spans.m_nTimeSpanMinutes;
    m_nYSpan = spans.m_nYSpan;
    SetGraphColours();
}

void CGpsGraphPropertyPage::SetGraphColours()
{
    m_crTrace1 = MakeRgb(255, 0, 255);
    m_crTrace2 = MakeRgb(0, 255, 255);
    m_crTrace3 = MakeRgb(0, 255, 0);
    SetColours(QColor(85, 85, 85), QColor(255, 255, 255));
}

void CGpsGraphPropertyPage::ClearTraces(CTimeSeriesGraph& graph)
{
    for (int i = 0; i < graph.GetSize(); ++i)
        graph.GetTrace(i).RemoveAll();
}

double CGpsGraphPropertyPage::SampleTime()
{
    return GetStampSeconds();
}

void CGpsGraphPropertyPage::mousePressEvent(QMouseEvent* pEvent)
{
    if (pEvent->button() == Qt::RightButton)
        ShowGraphMenu(pEvent->globalPosition().toPoint());
    CChartPage::mousePressEvent(pEvent);
}

void CGpsGraphPropertyPage::ShowGraphMenu(const QPoint& ptScreen)
{
    CPopupMenu root(this);
    CPopupMenu* pTimeSpan = root.AppendSubMenu("Time Span");
    for (const SGraphMenuItem& item : kTimeSpanItems)
    {
        if (item.nCommand == 0)
            pTimeSpan->addSeparator();
        else
            pTimeSpan->AppendItem(item.nCommand, item.pText, item.nValue == m_nTimeSpanMinutes);
    }
    root.addSeparator();
    CPopupMenu* pYSpan = root.AppendSubMenu("Y Span");
    for (const SGraphMenuItem& item : kYSpanItems)
        pYSpan->AppendItem(item.nCommand, item.pText, item.nValue == m_nYSpan);
    root.addSeparator();
    root.AppendItem(kClearAllCommand, "Clear ALL");

    SGpsGraphSpans spans{m_nTimeSpanMinutes, m_nYSpan};
    const SGraphMenuAction action = ApplyGraphMenuCommand(root.TrackPopupMenu(ptScreen), spans);
    m_nTimeSpanMinutes = spans.m_nTimeSpanMinutes;
    m_nYSpan = spans.m_nYSpan;
    if (m_pSheet != nullptr)
    {
        switch (action.reset)
        {
        case EGraphReset::kTimeSpan:
            m_pSheet->Post(UM_RESET_TIME_SPAN, 0, 0);
            break;
        case EGraphReset::kYSpan:
            m_pSheet->Post(UM_RESET_Y_SPAN, static_cast<WParam>(action.nWParam), 0);
            break;
        case EGraphReset::kGraph:
            m_pSheet->Post(UM_RESET_GRAPH, 0, 0);
            break;
        case EGraphReset::kNone:
            break;
        }
    }
    update();
    SaveGpsGraphSpans(spans);
}
