#include "app/qt/navigation_hint_box.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <array>

#include "platform/qt/qt_picture_codec.h"
#include "platform/raster_canvas.h"
#include "services/string_table.h"

namespace {

// Rectangle(0, 0, 480, 50) at least, wider when the text needs it: the right and bottom edges
// are outside, the outline inside.
constexpr int kBoxWidth = 480;
constexpr int kBoxHeight = 50;
constexpr ColorRef kBoxColor = 0xBBFFFF;
constexpr ColorRef kTextColor = 0xBB0000;
// The font's cell height, ascent plus descent.
constexpr int kCellHeight = 15;
constexpr int kTextLeft = 10;
constexpr std::array<int, 2> kLineTops = {10, 25};
constexpr std::array<int, 2> kLineStrings = {20001, 20002};

QColor ToQColor(ColorRef color) { return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF); }

// "Courier New" at the largest pixel size whose cell fits the height; fontconfig resolves the
// face to a metric twin.
QFont HintFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  font.setWeight(QFont::Normal);
  font.setStyleStrategy(QFont::NoAntialias);
  for (int pixels = kCellHeight; pixels > 1; --pixels) {
    font.setPixelSize(pixels);
    if (QFontMetrics(font).height() <= kCellHeight) break;
  }
  return font;
}

}  // namespace

void PaintNavigationHintBox(RasterCanvas& windowImage) {
  if (windowImage.width() == 0) return;
  const QFont font = HintFont();
  const QFontMetrics metrics(font);
  std::array<QString, 2> lines;
  // The platform's font may be wider than the box was drawn for: the box grows to hold the
  // longer line with the same margin on its right as on its left.
  int boxWidth = kBoxWidth;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    lines[i] = QString::fromStdString(GetLocalizedString(kLineStrings[i]));
    boxWidth = std::max(boxWidth, 2 * kTextLeft + metrics.horizontalAdvance(lines[i]));
  }

  QImage strip(boxWidth, kBoxHeight, QImage::Format_RGB888);
  {
    QPainter painter(&strip);
    painter.fillRect(0, 0, boxWidth, kBoxHeight, Qt::black);
    painter.fillRect(1, 1, boxWidth - 2, kBoxHeight - 2, ToQColor(kBoxColor));
    painter.setFont(font);
    painter.setPen(ToQColor(kTextColor));
    painter.setBackgroundMode(Qt::TransparentMode);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      painter.drawText(kTextLeft, kLineTops[i] + metrics.ascent(), lines[i]);
    }
  }
  const Picture painted = PictureFromImage(strip);
  windowImage.BlitDib(0, 0, painted.width, painted.height, painted.pixels);
}
