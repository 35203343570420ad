#include "app/qt/canvas_image.h"

#include <cstring>
#include <vector>

QImage ImageOfCanvas(const RasterCanvas& canvas) {
  const QImage bottomUp(canvas.rows().data(), canvas.width(), canvas.height(), canvas.rowBytes(),
                        QImage::Format_BGR888);
  return bottomUp.mirrored();
}

RasterCanvas CanvasOfImage(const QImage& image) {
  // BGR888 rows padded to 4 bytes, bottom row first, as the canvas blits them.
  const QImage bottomUp = image.convertToFormat(QImage::Format_BGR888).mirrored();
  RasterCanvas canvas(bottomUp.width(), bottomUp.height());
  const qsizetype rowBytes = (bottomUp.width() * 3 + 3) & ~3;
  std::vector<std::uint8_t> rows(static_cast<std::size_t>(rowBytes * bottomUp.height()));
  for (int y = 0; y < bottomUp.height(); ++y) {
    std::memcpy(rows.data() + y * rowBytes, bottomUp.constScanLine(y), static_cast<std::size_t>(bottomUp.width() * 3));
  }
  canvas.BlitDib(0, 0, bottomUp.width(), bottomUp.height(), rows);
  return canvas;
}
