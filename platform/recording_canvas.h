#pragma once
// A canvas that draws nothing and records every drawing operation with its exact integer
// coordinates, texts and the state it was drawn with, so that tests can check a chart's
// geometry pixel by pixel. Its text measures are simple and fixed: a font's character
// height in pixels is the text height, half of it (truncated) the width of every character.

#include <string>
#include <vector>

#include "platform/canvas.h"

enum class CanvasOpKind { kFillRect, kFrameRect, kLine, kEllipse, kText };

struct CanvasOp {
  CanvasOpKind kind = CanvasOpKind::kLine;
  // Rectangles and ellipse bounds; for a line its start (left, top) and end (right, bottom).
  CanvasRect rect;
  // Fill and frame colour.
  CanvasColour colour;
  // Text and its reference point (rect.left, rect.top).
  std::string text;
  CanvasState state;
};

class RecordingCanvas : public Canvas {
 public:
  void FillRect(const CanvasRect& rect, CanvasColour colour) override;
  void FrameRect(const CanvasRect& rect, CanvasColour colour) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Ellipse(const CanvasRect& bounds) override;
  void DrawText(int x, int y, const std::string& text) override;
  CanvasSize TextExtent(const std::string& text) override;
  TextMetrics GetTextMetrics() override;

  const std::vector<CanvasOp>& Ops() const { return m_ops; }
  // The recorded operations of one kind, in drawing order.
  std::vector<CanvasOp> OpsOfKind(CanvasOpKind kind) const;
  // The recorded texts equal to the given one.
  std::vector<CanvasOp> TextsEqualTo(const std::string& text) const;
  void Clear() { m_ops.clear(); }

 private:
  void Record(CanvasOpKind kind, const CanvasRect& rect, CanvasColour colour = {},
              const std::string& text = {});

  std::vector<CanvasOp> m_ops;
  int m_x = 0;
  int m_y = 0;
};
