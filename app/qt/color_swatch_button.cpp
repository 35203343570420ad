#include "app/qt/color_swatch_button.h"

#include <QPainter>
#include <QPen>

#include "platform/qt/qt_common_dialogs.h"
#include "services/ui_utilities.h"

CColorSwatchButton::CColorSwatchButton(QWidget* parent) : QPushButton(parent) {
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] { PickColor(); });
}

int CColorSwatchButton::PickColor() {
  const std::uint32_t chosen = ::PickColor(color_);
  if (chosen == kNoColor) return 0;
  color_ = chosen;
  repaint();
  if (onColorChosen) onColorChosen(chosen);
  return 1;
}

void CColorSwatchButton::setColor(std::uint32_t color) {
  color_ = color;
  update();
}

// The swatch is the whole button: no frame of Qt's own.
void CColorSwatchButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), ColorFromColorRef(color_));
  const bool pressed = isDown();
  const int width = pressed ? 3 : 1;
  QPen pen(pressed ? Qt::white : Qt::black, width);
  pen.setJoinStyle(Qt::MiterJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  // A pen of width w centred on the line: inset so all of it lies inside the button.
  const qreal inset = width / 2.0;
  painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
}
