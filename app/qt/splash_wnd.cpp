#include "app/qt/splash_wnd.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <qdrawutil.h>

#include "app/qt/canvas_image.h"
#include "app/qt/title_logo.h"
#include "app/splash_composition.h"

namespace {

constexpr int kFrame = 3;
constexpr QRgb kTextColor = qRgb(255, 255, 0);  // COLORREF 0x00FFFF

CSplashWnd* live = nullptr;
// The button of a press the filter consumed, whose release (and double-click) it consumes too.
Qt::MouseButtons swallowedButtons = Qt::NoButton;

bool IsPress(QEvent::Type type) {
  return type == QEvent::MouseButtonPress || type == QEvent::NonClientAreaMouseButtonPress;
}

bool IsReleaseOrDoubleClick(QEvent::Type type) {
  return type == QEvent::MouseButtonRelease || type == QEvent::NonClientAreaMouseButtonRelease ||
         type == QEvent::MouseButtonDblClick || type == QEvent::NonClientAreaMouseButtonDblClick;
}

// A font whose cell (ascent + descent) is cellHeight pixels high, as the height of a font is
// meant on the system the picture was designed on, rather than its em.
QFont CellFont(int cellHeight) {
  QFont font(QStringLiteral("Times New Roman"));
  font.setStyleHint(QFont::Serif);
  font.setWeight(QFont::Normal);
  int best = 1;
  for (int size = 1; size <= 2 * cellHeight; ++size) {
    font.setPixelSize(size);
    const QFontMetrics metrics(font);
    if (metrics.ascent() + metrics.descent() <= cellHeight) best = size;
  }
  font.setPixelSize(best);
  return font;
}

// Draws the text with its cell's top-left corner at (x, top).
void DrawCellText(QPainter& painter, int cellHeight, int x, int top, const QString& text) {
  painter.setFont(CellFont(cellHeight));
  painter.drawText(QPoint(x, top + painter.fontMetrics().ascent()), text);
}

}  // namespace

QImage CSplashWnd::ComposeSplashImage() {
  QImage image = ImageOfCanvas(ComposeSplash(SplashPicturePath(), CanvasOfImage(DrawTitleLogo())))
                     .convertToFormat(QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(QColor(kTextColor));
  DrawCellText(painter, 32, 240, 118, QStringLiteral("Version 5.1"));
  DrawCellText(painter, 24, 385, 123, QStringLiteral("(update 14a)"));
  return image;
}

CSplashWnd::CSplashWnd(QWidget* parent, QImage image)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), image_(std::move(image)) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFixedSize(image_.width() + 2 * kFrame, image_.height() + 2 * kFrame);
}

void CSplashWnd::ShowSplashScreen(QWidget* parent, int timeoutMs) {
  if (live != nullptr) return;
  // Showing delivers events, and a key press already waiting closes the window at once; it is
  // only deleted once control is back in the event loop.
  CSplashWnd* window = live = new CSplashWnd(parent, ComposeSplashImage());
  if (parent != nullptr) {
    const QPoint centre = parent->mapToGlobal(parent->rect().center());
    window->move(centre - QPoint(window->width() / 2, window->height() / 2));
  }
  if (timeoutMs > 0) QTimer::singleShot(timeoutMs, window, [window] { window->OnTimer(); });
  window->show();
  window->repaint();
}

CSplashWnd::~CSplashWnd() {
  if (live == this) live = nullptr;
}

CSplashWnd* CSplashWnd::Live() { return live; }

void CSplashWnd::OnTimer() {
  if (live == this) Close();
}

void CSplashWnd::Close() {
  // The event being filtered may be the window's own, so it goes after the event is done with.
  CSplashWnd* window = live;
  live = nullptr;
  QWidget* parent = window->parentWidget();
  window->hide();
  window->deleteLater();
  if (parent != nullptr) parent->update();
}

bool CSplashWnd::PreTranslateAppMessage(QObject*, QEvent* event) {
  const QEvent::Type type = event->type();
  if (IsReleaseOrDoubleClick(type) && swallowedButtons != Qt::NoButton) {
    const auto button = static_cast<QMouseEvent*>(event)->button();
    if ((swallowedButtons & button) == 0) return false;
    if (type == QEvent::MouseButtonRelease || type == QEvent::NonClientAreaMouseButtonRelease) {
      swallowedButtons &= ~button;
    }
    return true;
  }
  if (live == nullptr) return false;
  if (type == QEvent::ShortcutOverride) {
    // The key press that follows closes the window; no shortcut acts on it meanwhile.
    event->accept();
    return true;
  }
  if (type == QEvent::KeyPress) {
    Close();
    return true;
  }
  if (!IsPress(type)) return false;
  const auto button = static_cast<QMouseEvent*>(event)->button();
  if (button != Qt::LeftButton && button != Qt::RightButton && button != Qt::MiddleButton) return false;
  swallowedButtons |= button;
  Close();
  return true;
}

void CSplashWnd::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  qDrawShadePanel(&painter, rect(), palette(), false, kFrame);
  painter.drawImage(kFrame, kFrame, image_);
}
