#include "app/qt/title_logo.h"

#include <QFont>
#include <QPainter>
#include <QPolygonF>

#include "app/splash_composition.h"

namespace {

// A brilliant seen from the side: the table on top, the crown's facets down to the girdle, the
// pavilion to its point.
void DrawBrilliant(QPainter& painter, QRectF box) {
  const double left = box.left(), right = box.right(), top = box.top(), bottom = box.bottom();
  const double width = box.width();
  const double girdle = top + box.height() * 0.35;
  const double tableLeft = left + width * 0.28, tableRight = right - width * 0.28;
  painter.drawPolygon(QPolygonF({QPointF(tableLeft, top), QPointF(tableRight, top), QPointF(right, girdle),
                                 QPointF((left + right) / 2, bottom), QPointF(left, girdle)}));
  painter.drawLine(QPointF(left, girdle), QPointF(right, girdle));
  // Crown facets from the table's corners and middle down to the girdle.
  const double middle = (left + right) / 2;
  painter.drawLine(QPointF(tableLeft, top), QPointF(left + width * 0.18, girdle));
  painter.drawLine(QPointF(tableLeft, top), QPointF(middle, girdle));
  painter.drawLine(QPointF(tableRight, top), QPointF(middle, girdle));
  painter.drawLine(QPointF(tableRight, top), QPointF(right - width * 0.18, girdle));
  // Pavilion mains.
  painter.drawLine(QPointF(left + width * 0.18, girdle), QPointF(middle, bottom));
  painter.drawLine(QPointF(right - width * 0.18, girdle), QPointF(middle, bottom));
}

}  // namespace

QImage DrawTitleLogo() {
  QImage logo(kLogoWidth, kLogoHeight, QImage::Format_RGB32);
  logo.fill(QColor(0, 100, 255));
  QPainter painter(&logo);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(Qt::white, 1.2));
  DrawBrilliant(painter, QRectF(6, 6, 30, 28));

  QFont font(QStringLiteral("Times New Roman"));
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(26);
  font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(44, 2, kLogoWidth - 46, 32), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("LUMIDREX"));
  painter.setPen(QPen(QColor(255, 255, 0), 1));
  painter.drawLine(44, 37, kLogoWidth - 8, 37);
  return logo;
}
