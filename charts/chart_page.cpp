#include "charts/chart_page.h"

#include <QPainter>

#include "platform/qt/painter_canvas.h"

CanvasRect CChartPage::FrameArea(int nFrameId) const
{
    const QWidget* pFrame = GetDlgItem(nFrameId);
    if (pFrame == nullptr)
        return {};
    // A black frame draws a one-pixel border; the chart goes inside it.
    const QRect rc = pFrame->geometry().adjusted(1, 1, -1, -1);
    return {rc.left(), rc.top(), rc.left() + rc.width(), rc.top() + rc.height()};
}

void CChartPage::paintEvent(QPaintEvent*)
{
    // Qt paints widgets into a back buffer and shows the finished picture, so a page that is
    // repainted for every sentence does not flicker.
    QPainter painter(this);
    PainterCanvas dc(painter);
    DrawCharts(dc);
}
