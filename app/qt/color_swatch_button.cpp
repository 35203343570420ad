#include "app/qt/color_swatch_button.h"

#include <QPainter>
#include <QStyleOptionButton>

#include "app/core/ui_utilities.h"
#include "platform/qt/qt_common_dialogs.h"

CColorSwatchButton::CColorSwatchButton(QWidget* parent) : QPushButton(parent) {
  setAutoDefault(false);
  connect(this, &QPushButton::clicked, this, [this] { PickColor(); });
}

void CColorSwatchButton::PickColor() {
  const std::uint32_t chosen = ::PickColor(color_);
  if (chosen == kNoColor) return;
  setColor(chosen);
  if (onColorChosen) onColorChosen(chosen);
}

void CColorSwatchButton::setColor(std::uint32_t color) {
  color_ = color;
  update();
}

void CColorSwatchButton::paintEvent(QPaintEvent* event) {
  QPushButton::paintEvent(event);
  QPainter painter(this);
  painter.fillRect(rect().adjusted(4, 4, -4, -4), ColorFromColorRef(color_));
}
