#include "platform/recording_canvas.h"

void RecordingCanvas::Record(CanvasOpKind kind, const CanvasRect& rect, CanvasColour colour,
                             const std::string& text) {
  m_ops.push_back(CanvasOp{kind, rect, colour, text, State()});
}

void RecordingCanvas::FillRect(const CanvasRect& rect, CanvasColour colour) {
  Record(CanvasOpKind::kFillRect, rect, colour);
}

void RecordingCanvas::FrameRect(const CanvasRect& rect, CanvasColour colour) {
  Record(CanvasOpKind::kFrameRect, rect, colour);
}

void RecordingCanvas::MoveTo(int x, int y) {
  m_x = x;
  m_y = y;
}

void RecordingCanvas::LineTo(int x, int y) {
  Record(CanvasOpKind::kLine, {m_x, m_y, x, y});
  m_x = x;
  m_y = y;
}

void RecordingCanvas::Ellipse(const CanvasRect& bounds) { Record(CanvasOpKind::kEllipse, bounds); }

void RecordingCanvas::DrawText(int x, int y, const std::string& text) {
  Record(CanvasOpKind::kText, {x, y, x, y}, State().textColour, text);
}

CanvasSize RecordingCanvas::TextExtent(const std::string& text) {
  const TextMetrics metrics = GetTextMetrics();
  return {static_cast<int>(text.size()) * metrics.averageCharWidth, metrics.height};
}

TextMetrics RecordingCanvas::GetTextMetrics() {
  const int height = FontPixelHeight(State().font);
  return {height, height / 2};
}

std::vector<CanvasOp> RecordingCanvas::OpsOfKind(CanvasOpKind kind) const {
  std::vector<CanvasOp> found;
  for (const CanvasOp& op : m_ops) {
    if (op.kind == kind) {
      found.push_back(op);
    }
  }
  return found;
}

std::vector<CanvasOp> RecordingCanvas::TextsEqualTo(const std::string& text) const {
  std::vector<CanvasOp> found;
  for (const CanvasOp& op : m_ops) {
    if (op.kind == CanvasOpKind::kText && op.text == text) {
      found.push_back(op);
    }
  }
  return found;
}
