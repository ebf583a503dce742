#include "platform/qt/painter_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <vector>
#include <functional>

#include "platform/qt/text_codec.h"

namespace {

constexpr CanvasColour kRed = MakeRgb(255, 0, 0);
constexpr CanvasColour kBlue = MakeRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255);

QImage Paint(const std::function<void(Canvas&)>& draw, int size = 40) {
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(kWhite);
  QPainter painter(&image);
  {
    PainterCanvas canvas(painter);
    draw(canvas);
  }
  return image;
}

// The bounding box of the pixels that are not white.
QRect Painted(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != kWhite) {
        box |= QRect(x, y, 1, 1);
      }
    }
  }
  return box;
}

}  // namespace

TEST(PainterCanvas, FillsAndFramesExactlyTheRectangle) {
  const QImage filled = Paint([](Canvas& dc) { dc.FillRect({5, 6, 15, 20}, kRed); });
  EXPECT_EQ(Painted(filled), QRect(5, 6, 10, 14));
  EXPECT_EQ(filled.pixel(5, 6), qRgb(255, 0, 0));

  const QImage framed = Paint([](Canvas& dc) { dc.FrameRect({5, 6, 15, 20}, kRed); });
  EXPECT_EQ(Painted(framed), QRect(5, 6, 10, 14));
  EXPECT_EQ(framed.pixel(14, 19), qRgb(255, 0, 0));
  EXPECT_EQ(framed.pixel(10, 10), kWhite);
}

TEST(PainterCanvas, LinesLeaveOutTheirEndPointAndKeepTheirOwnPens) {
  const QImage image = Paint([](Canvas& dc) {
    dc.SelectPen({PenStyle::kSolid, kRed});
    dc.DrawLine(5, 10, 15, 10);
    dc.SelectPen({PenStyle::kSolid, kBlue});
    dc.LineTo(15, 20);
  });
  EXPECT_EQ(image.pixel(5, 10), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(14, 10), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(15, 19), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(15, 20), kWhite);
}

TEST(PainterCanvas, DenseTracePaintsTheSamePixelsAsItsWholePolyline) {
  // Many points per column, as a long trace gives them, with steps between columns.
  std::vector<QPoint> points;
  for (int i = 0; i < 400; ++i) {
    points.emplace_back(60 - i / 7, 30 + ((i * 37) % 23) - (i % 5 == 0 ? 15 : 0));
  }
  const QImage polyline = Paint(
      [&](Canvas& dc) {
        dc.SelectPen({PenStyle::kSolid, kRed});
        dc.MoveTo(points[0].x(), points[0].y());
        for (const QPoint& point : points) {
          dc.LineTo(point.x(), point.y());
        }
      },
      80);
  // The same points as one polyline straight on the painter.
  QImage whole(80, 80, QImage::Format_RGB32);
  whole.fill(kWhite);
  QPainter painter(&whole);
  QPen pen(QColor(255, 0, 0));
  pen.setCapStyle(Qt::FlatCap);
  painter.setPen(pen);
  painter.drawPolyline(points.data(), static_cast<int>(points.size()));
  painter.end();
  EXPECT_EQ(polyline, whole);
}

TEST(PainterCanvas, DottedPenLeavesGaps) {
  const QImage image = Paint([](Canvas& dc) {
    dc.SelectPen({PenStyle::kDot, kRed});
    dc.DrawLine(0, 10, 40, 10);
  });
  int painted = 0;
  for (int x = 0; x < 39; ++x) {
    painted += image.pixel(x, 10) != kWhite;
  }
  EXPECT_GT(painted, 10);
  EXPECT_LT(painted, 30);
}

TEST(PainterCanvas, EllipseStaysInsideItsBoundsWithTheBrushOrHollow) {
  const QImage filled = Paint([](Canvas& dc) {
    dc.SelectBrush({kBlue});
    dc.Ellipse({10, 10, 30, 30});
  });
  EXPECT_EQ(Painted(filled), QRect(10, 10, 20, 20));
  EXPECT_EQ(filled.pixel(20, 20), qRgb(0, 0, 255));

  const QImage hollow = Paint([](Canvas& dc) {
    dc.SelectBrush({kBlue, true});
    dc.Ellipse({10, 10, 30, 30});
  });
  EXPECT_EQ(hollow.pixel(20, 20), kWhite);
}

TEST(PainterCanvas, TextFollowsAlignmentBackgroundAndEscapement) {
  const auto text = [](TextAlign align, BackgroundMode mode, int escapement) {
    return Paint(
        [=](Canvas& dc) {
          dc.SelectFont({"DejaVu Sans", 80, 700, escapement});
          dc.SetTextAlign(align);
          dc.SetBackgroundMode(mode);
          dc.SetBackgroundColour(kBlue);
          dc.DrawText(50, 50, "Wg");
        },
        100);
  };
  const QRect topLeft = Painted(text({}, BackgroundMode::kTransparent, 0));
  EXPECT_GE(topLeft.left(), 50);
  EXPECT_GE(topLeft.top(), 50);
  const QRect bottomRight =
      Painted(text({HAlign::kRight, VAlign::kBottom}, BackgroundMode::kTransparent, 0));
  EXPECT_LE(bottomRight.right(), 50);
  EXPECT_LE(bottomRight.bottom(), 50);
  const QRect centred =
      Painted(text({HAlign::kCentre, VAlign::kBaseline}, BackgroundMode::kTransparent, 0));
  EXPECT_LT(centred.left(), 50);
  EXPECT_GT(centred.right(), 50);
  EXPECT_LT(centred.top(), 50);

  // Opaque text paints its whole cell; escapement 900 runs the text upward.
  const QImage opaque = text({}, BackgroundMode::kOpaque, 0);
  EXPECT_EQ(opaque.pixel(50, 50), qRgb(0, 0, 255));
  const QRect upward = Painted(text({}, BackgroundMode::kTransparent, 900));
  EXPECT_LT(upward.top(), 40);
  EXPECT_GT(upward.height(), upward.width());
}

TEST(PainterCanvas, MetricsGrowWithTheFontSize) {
  QImage image(10, 10, QImage::Format_RGB32);
  QPainter painter(&image);
  PainterCanvas dc(painter);
  dc.SelectFont({"Tahoma", 80, 700, 0});
  const TextMetrics small = dc.GetTextMetrics();
  const CanvasSize extent = dc.TextExtent("88");
  dc.SelectFont({"Tahoma", 120, 700, 0});
  EXPECT_GT(dc.GetTextMetrics().height, small.height);
  EXPECT_GT(small.averageCharWidth, 0);
  EXPECT_EQ(extent.cy, small.height);
  EXPECT_GT(extent.cx, small.averageCharWidth);
}

TEST(TextCodec, ConvertsWindows1252BothWays) {
  const std::string bytes = "45\xB0 \x80 \xAB" "CR>\xBB";
  const QString text = ToQString(bytes);
  EXPECT_EQ(text, QString::fromUtf8("45° € «CR>»"));
  EXPECT_EQ(FromQString(text), bytes);
  EXPECT_EQ(FromQString(QString::fromUtf8("π")), "?");
  // The five bytes the code page leaves undefined pass through as C1 controls.
  EXPECT_EQ(FromQString(ToQString("\x81\x9D")), "\x81\x9D");
}
