#pragma once
// A 2-D pixel drawing surface with y growing downward. The charts draw through it with
// integer coordinates; its state (pen, brush, font, text colour, background, alignment)
// is selected the way the charts need it and every setter hands back what it replaced,
// so a caller can put the previous value back when it is done.

#include <cstdint>
#include <string>

struct CanvasColour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const CanvasColour&, const CanvasColour&) = default;
};

constexpr CanvasColour MakeRgb(int r, int g, int b) {
  return CanvasColour{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                      static_cast<std::uint8_t>(b)};
}

// A rectangle whose right and bottom edges lie outside it.
struct CanvasRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // Inside when left <= x < right and top <= y < bottom.
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  // Grows by dx and dy on each side (shrinks for negative values).
  CanvasRect Inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
  friend bool operator==(const CanvasRect&, const CanvasRect&) = default;
};

struct CanvasSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const CanvasSize&, const CanvasSize&) = default;
};

enum class PenStyle { kSolid, kDot, kDash };

// Every pen is one pixel wide.
struct CanvasPen {
  PenStyle style = PenStyle::kSolid;
  CanvasColour colour;
  friend bool operator==(const CanvasPen&, const CanvasPen&) = default;
};

// A hollow brush leaves the inside of an ellipse unpainted.
struct CanvasBrush {
  CanvasColour colour = MakeRgb(255, 255, 255);
  bool hollow = false;
  friend bool operator==(const CanvasBrush&, const CanvasBrush&) = default;
};

// A font by face, size in tenths of a point (at 96 pixels per inch), weight (400 normal,
// 700 bold) and escapement: the direction of the text in tenths of a degree,
// counter-clockwise from the x axis.
struct CanvasFont {
  std::string face;
  int tenthsOfPoint = 80;
  int weight = 400;
  int escapement = 0;
  friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

enum class HAlign { kLeft, kCentre, kRight };
enum class VAlign { kTop, kBaseline, kBottom };

// Which point of a text the reference point of DrawText stands for.
struct TextAlign {
  HAlign h = HAlign::kLeft;
  VAlign v = VAlign::kTop;
  friend bool operator==(const TextAlign&, const TextAlign&) = default;
};

// Opaque text paints its cell in the background colour first; transparent text does not.
enum class BackgroundMode { kOpaque, kTransparent };

struct TextMetrics {
  int height = 0;
  int averageCharWidth = 0;
};

// The selectable state of a surface. A fresh surface has a black solid pen, a white brush,
// black text on an opaque white background, aligned at its top-left corner.
struct CanvasState {
  CanvasPen pen;
  CanvasBrush brush;
  CanvasFont font{"Tahoma", 80, 400, 0};
  CanvasColour textColour;
  CanvasColour backgroundColour = MakeRgb(255, 255, 255);
  BackgroundMode backgroundMode = BackgroundMode::kOpaque;
  TextAlign align;
};

// The drawing operations are implemented per surface; the selected state is kept here and
// read by the implementations when they draw.
class Canvas {
 public:
  virtual ~Canvas() = default;

  // Paints the rectangle with the colour; pen and brush are not involved.
  virtual void FillRect(const CanvasRect& rect, CanvasColour colour) = 0;
  // Paints a one-pixel frame just inside the rectangle.
  virtual void FrameRect(const CanvasRect& rect, CanvasColour colour) = 0;
  // Lines with the selected pen from the current position; a line leaves out its end
  // point, which becomes the current position.
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
  // An ellipse inside the bounding rectangle (right and bottom edges outside), outlined
  // with the pen and filled with the brush.
  virtual void Ellipse(const CanvasRect& bounds) = 0;
  // Text (Windows-1252 bytes) at a reference point, with the selected font, alignment,
  // text colour and background; rotated about the reference point by the font's escapement.
  virtual void DrawText(int x, int y, const std::string& text) = 0;
  // Size of a single-line text in the selected font, as if it were not rotated.
  virtual CanvasSize TextExtent(const std::string& text) = 0;
  virtual TextMetrics GetTextMetrics() = 0;

  void DrawLine(int x1, int y1, int x2, int y2) {
    MoveTo(x1, y1);
    LineTo(x2, y2);
  }

  // Each setter returns the value it replaced.
  CanvasPen SelectPen(const CanvasPen& pen) { return Exchange(m_state.pen, pen); }
  CanvasBrush SelectBrush(const CanvasBrush& brush) { return Exchange(m_state.brush, brush); }
  CanvasFont SelectFont(const CanvasFont& font) { return Exchange(m_state.font, font); }
  CanvasColour SetTextColour(CanvasColour colour) { return Exchange(m_state.textColour, colour); }
  CanvasColour SetBackgroundColour(CanvasColour colour) {
    return Exchange(m_state.backgroundColour, colour);
  }
  BackgroundMode SetBackgroundMode(BackgroundMode mode) {
    return Exchange(m_state.backgroundMode, mode);
  }
  TextAlign SetTextAlign(TextAlign align) { return Exchange(m_state.align, align); }

  const CanvasState& State() const { return m_state; }

 private:
  template <typename T>
  static T Exchange(T& slot, const T& value) {
    T previous = slot;
    slot = value;
    return previous;
  }

  CanvasState m_state;
};

// Converts a floating-point pixel value to int by dropping the fraction, as the charts'
// integer geometry requires. Values beyond the int range (and NaN) become the nearest far
// end instead of undefined behaviour, so wild input only lands far outside the picture.
inline int TruncateToPixel(double value) {
  // Far enough outside any picture, and small enough that adding two cannot overflow.
  constexpr double kFar = 1.0e9;
  if (value >= kFar) {
    return static_cast<int>(kFar);
  }
  if (value <= -kFar || value != value) {  // NaN as well
    return -static_cast<int>(kFar);
  }
  return static_cast<int>(value);
}

// The character height in pixels of a font at 96 pixels per inch, rounded to the nearest
// pixel: 8 points give 11 pixels, 12 points 16, 6 points 8.
int FontPixelHeight(const CanvasFont& font);
