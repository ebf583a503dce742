#pragma once
// The canvas on a QPainter, for the screen and for images. Drawing is pixel-exact and
// not antialiased, except for the glyphs of texts. Consecutive lines are collected into one
// polyline and painted together, which keeps long traces cheap; Flush (also called on
// destruction and before any other operation) paints what is collected.

#include <QFont>
#include <QFontMetrics>
#include <QPoint>
#include <optional>
#include <vector>

#include "platform/canvas.h"

class QPainter;

class PainterCanvas : public Canvas {
 public:
  explicit PainterCanvas(QPainter& painter);
  ~PainterCanvas() override;
  PainterCanvas(const PainterCanvas&) = delete;
  PainterCanvas& operator=(const PainterCanvas&) = delete;

  void FillRect(const CanvasRect& rect, CanvasColour colour) override;
  void FrameRect(const CanvasRect& rect, CanvasColour colour) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(const CanvasRect& bounds) override;
  void DrawText(int x, int y, const std::string& text) override;
  CanvasSize TextExtent(const std::string& text) override;
  TextMetrics GetTextMetrics() override;

  void Flush();

 private:
  const QFontMetrics& Metrics();

  QPainter& m_painter;
  QPoint m_position;
  std::vector<QPoint> m_polyline;
  CanvasPen m_polylinePen;
  std::optional<CanvasFont> m_fontKey;
  QFont m_font;
  std::optional<QFontMetrics> m_metrics;
};
