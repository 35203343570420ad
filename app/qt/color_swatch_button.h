#pragma once

#include <QPushButton>

#include <cstdint>
#include <functional>

// A button painted in one colour (COLORREF), outlined black, or white and thick while pressed;
// a click runs the colour picker with it and keeps the choice unless the user cancels.
class CColorSwatchButton : public QPushButton {
 public:
  explicit CColorSwatchButton(QWidget* parent = nullptr);

  // 1 with the chosen colour shown at once; 0 when the user cancelled.
  int PickColor();
  std::uint32_t color() const { return color_; }
  void setColor(std::uint32_t color);
  // Called after the user chose a new colour.
  std::function<void(std::uint32_t)> onColorChosen;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::uint32_t color_ = 0;
};
