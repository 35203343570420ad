#include "platform/qt/qt_window_titles.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

#include <algorithm>

namespace {

// The frame's icon, minimise, maximise and close buttons and the margins around the title: each
// about a square of the title bar's height.
constexpr int kFrameSquares = 6;
constexpr char kStrutProperty[] = "titleStrut";

// Widens the dialog to its title's width; a message box, which sizes itself from its layout on
// every show, gets a strut of that width in its layout instead.
void FitTitle(QWidget& dialog) {
  const int width = TitleWidth(dialog.windowTitle());
  if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
    auto* grid = qobject_cast<QGridLayout*>(box->layout());
    if (grid == nullptr || box->property(kStrutProperty).toInt() >= width) return;
    box->setProperty(kStrutProperty, width);
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
    return;
  }
  if (dialog.minimumWidth() < width) dialog.setMinimumWidth(std::min(width, dialog.maximumWidth()));
}

}  // namespace

int TitleWidth(const QString& title) {
  if (title.isEmpty()) return 0;
  QFont font = QApplication::font();
  font.setBold(true);
  const QFontMetrics metrics(font);
  const int barHeight = metrics.height() + metrics.height() / 2;
  return metrics.horizontalAdvance(title) + kFrameSquares * barHeight;
}

WholeTitles::WholeTitles() { QApplication::instance()->installEventFilter(this); }

WholeTitles::~WholeTitles() {
  if (QApplication::instance() != nullptr) QApplication::instance()->removeEventFilter(this);
}

bool WholeTitles::eventFilter(QObject* watched, QEvent* event) {
  const bool show = event->type() == QEvent::Show;
  if (!show && event->type() != QEvent::WindowTitleChange) return false;
  auto* dialog = qobject_cast<QDialog*>(watched);
  if (dialog == nullptr || !dialog->isWindow()) return false;
  if (show || dialog->isVisible()) FitTitle(*dialog);
  return false;
}
