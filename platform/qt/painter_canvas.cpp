#include "platform/qt/painter_canvas.h"

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cstdlib>

#include "platform/qt/text_codec.h"

namespace {

QColor ToQColor(CanvasColour colour) { return QColor(colour.r, colour.g, colour.b); }

// Dots of three pixels and dashes of eighteen, as a screen's cosmetic pens draw them. Flat
// caps leave out a line's end point.
QPen ToQPen(const CanvasPen& pen) {
  QPen qpen(ToQColor(pen.colour));
  qpen.setWidth(1);
  qpen.setCapStyle(Qt::FlatCap);
  if (pen.style == PenStyle::kDot) {
    qpen.setDashPattern({3, 3});
  } else if (pen.style == PenStyle::kDash) {
    qpen.setDashPattern({18, 6});
  }
  return qpen;
}

// A long trace puts many points into each pixel column. The vertical lines between points
// of one column cover exactly the rows from their lowest to their highest, so such a run is
// drawn as its first point, its two extremes (the nearer one first) and its last point: the
// same pixels with a fraction of the work. Only solid lines are shortened; dotted ones
// would shift their dots.
void CollapseColumns(std::vector<QPoint>& points) {
  std::size_t out = 0;
  std::size_t i = 0;
  while (i < points.size()) {
    std::size_t end = i + 1;
    std::size_t low = i;
    std::size_t high = i;
    while (end < points.size() && points[end].x() == points[i].x()) {
      if (points[end].y() < points[low].y()) low = end;
      if (points[end].y() > points[high].y()) high = end;
      ++end;
    }
    const std::size_t last = end - 1;
    const int y = points[i].y();
    const bool bLowFirst = std::abs(points[low].y() - y) <= std::abs(points[high].y() - y);
    const std::size_t keep[4] = {i, bLowFirst ? low : high, bLowFirst ? high : low, last};
    for (std::size_t k : keep) {
      if (out == 0 || points[out - 1] != points[k]) {
        points[out++] = points[k];
      }
    }
    i = end;
  }
  points.resize(out);
}

QRect ToQRect(const CanvasRect& rect) {
  return QRect(rect.left, rect.top, rect.Width(), rect.Height());
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter) : m_painter(painter) {
  m_painter.setRenderHint(QPainter::Antialiasing, false);
  m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

PainterCanvas::~PainterCanvas() { Flush(); }

void PainterCanvas::Flush() {
  if (m_polyline.size() < 2) {
    m_polyline.clear();
    return;
  }
  if (m_polylinePen.style == PenStyle::kSolid) {
    CollapseColumns(m_polyline);
  }
  m_painter.setPen(ToQPen(m_polylinePen));
  m_painter.setBrush(Qt::NoBrush);
  m_painter.drawPolyline(m_polyline.data(), static_cast<int>(m_polyline.size()));
  m_polyline.clear();
}

void PainterCanvas::FillRect(const CanvasRect& rect, CanvasColour colour) {
  Flush();
  if (rect.Width() > 0 && rect.Height() > 0) {
    m_painter.fillRect(ToQRect(rect), ToQColor(colour));
  }
}

void PainterCanvas::FrameRect(const CanvasRect& rect, CanvasColour colour) {
  Flush();
  if (rect.Width() <= 0 || rect.Height() <= 0) {
    return;
  }
  const QColor qcolour = ToQColor(colour);
  m_painter.fillRect(QRect(rect.left, rect.top, rect.Width(), 1), qcolour);
  m_painter.fillRect(QRect(rect.left, rect.bottom - 1, rect.Width(), 1), qcolour);
  m_painter.fillRect(QRect(rect.left, rect.top, 1, rect.Height()), qcolour);
  m_painter.fillRect(QRect(rect.right - 1, rect.top, 1, rect.Height()), qcolour);
}

void PainterCanvas::MoveTo(int x, int y) {
  Flush();
  m_position = QPoint(x, y);
}

void PainterCanvas::LineTo(int x, int y) {
  const QPoint to(x, y);
  if (!m_polyline.empty() && !(m_polylinePen == State().pen)) {
    Flush();
  }
  if (m_polyline.empty()) {
    m_polyline.push_back(m_position);
    m_polylinePen = State().pen;
  }
  // Repeated points add nothing to the picture (a line to its own start draws nothing);
  // long traces repeat many.
  if (m_polyline.back() != to) {
    m_polyline.push_back(to);
  }
  m_position = to;
}

void PainterCanvas::Ellipse(const CanvasRect& bounds) {
  Flush();
  if (bounds.Width() < 2 || bounds.Height() < 2) {
    return;
  }
  m_painter.setPen(ToQPen(State().pen));
  if (State().brush.hollow) {
    m_painter.setBrush(Qt::NoBrush);
  } else {
    m_painter.setBrush(ToQColor(State().brush.colour));
  }
  // The outline runs along the inside of the bounds, whose right and bottom edges are outside.
  m_painter.drawEllipse(QRect(bounds.left, bounds.top, bounds.Width() - 1, bounds.Height() - 1));
}

const QFontMetrics& PainterCanvas::Metrics() {
  const CanvasFont& font = State().font;
  if (!m_fontKey || !(*m_fontKey == font)) {
    m_font = QFont(QString::fromLatin1(font.face.c_str()));
    m_font.setPixelSize(FontPixelHeight(font));
    m_font.setWeight(font.weight >= 700 ? QFont::Bold : QFont::Normal);
    m_font.setKerning(false);
    m_metrics.emplace(m_font);
    m_fontKey = font;
  }
  return *m_metrics;
}

void PainterCanvas::DrawText(int x, int y, const std::string& text) {
  Flush();
  const QFontMetrics& metrics = Metrics();
  const QString qtext = ToQString(text);
  const int width = metrics.horizontalAdvance(qtext);
  const CanvasState& state = State();

  int left = 0;
  if (state.align.h == HAlign::kCentre) {
    left = -width / 2;
  } else if (state.align.h == HAlign::kRight) {
    left = -width;
  }
  int baseline = 0;
  if (state.align.v == VAlign::kTop) {
    baseline = metrics.ascent();
  } else if (state.align.v == VAlign::kBottom) {
    baseline = -metrics.descent();
  }

  m_painter.save();
  m_painter.translate(x, y);
  if (state.font.escapement != 0) {
    m_painter.rotate(-state.font.escapement / 10.0);
  }
  if (state.backgroundMode == BackgroundMode::kOpaque) {
    m_painter.fillRect(QRect(left, baseline - metrics.ascent(), width, metrics.height()),
                       ToQColor(state.backgroundColour));
  }
  m_painter.setFont(m_font);
  m_painter.setPen(ToQColor(state.textColour));
  m_painter.drawText(QPoint(left, baseline), qtext);
  m_painter.restore();
}

CanvasSize PainterCanvas::TextExtent(const std::string& text) {
  const QFontMetrics& metrics = Metrics();
  return {metrics.horizontalAdvance(ToQString(text)), metrics.height()};
}

TextMetrics PainterCanvas::GetTextMetrics() {
  const QFontMetrics& metrics = Metrics();
  return {metrics.height(), metrics.averageCharWidth()};
}
