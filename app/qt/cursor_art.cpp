#include "app/qt/cursor_art.h"

#include <QPixmap>
#include <QPoint>
#include <QString>

#include <span>

#include "platform/qt/qt_ui_services.h"

namespace {

// Every picture is 32 x 32. Tools that pick objects point with the arrow's tip.
constexpr int kArrowCursors[] = {
    3600, 3602,                                                        // pick, pick T-lines
    4000, 4005,                                                        // place copies, Extend/Revolve dialogs
    5000, 5001, 5002, 5003,                                            // move, size, flip, roll
    6000, 6001, 6002, 6003, 6004, 6005, 6006, 6007, 6008, 6009, 6010,  // deform tools
    7104,                                                              // join curves
    8004, 8005, 8006,                                                  // loft, pipe, rail
};
// Tools that place points aim with the crosshair's centre.
constexpr int kCrosshairCursors[] = {
    3412, 3601,                                            // zoom box, pick control points
    7000, 7001, 7002, 7003, 7004, 7005, 7006, 7010, 7011,  // curve drawing, sketch
    7105,                                                  // split a curve
    9041, 9300,                                            // T-line, measure
};

struct CursorFamily {
  std::span<const int> cursorIds;
  QPoint hotspot;
};
const CursorFamily kCursorFamilies[] = {{kArrowCursors, QPoint(1, 1)}, {kCrosshairCursors, QPoint(10, 10)}};

}  // namespace

QCursor ToolCursor(int cursorId) {
  for (const CursorFamily& family : kCursorFamilies) {
    for (int id : family.cursorIds) {
      if (id != cursorId) continue;
      const QPixmap picture(QStringLiteral(":/art/cursors/%1.svg").arg(cursorId));
      if (!picture.isNull()) return QCursor(picture, family.hotspot.x(), family.hotspot.y());
      qWarning("The tool cursor %d cannot be drawn; is the Qt SVG plugin installed?", cursorId);
      return QCursor(Qt::ArrowCursor);
    }
  }
  return QCursor(Qt::ArrowCursor);
}

void RegisterToolCursors(QtUiServices& ui) {
  for (const CursorFamily& family : kCursorFamilies) {
    for (int id : family.cursorIds) ui.RegisterToolCursor(id, ToolCursor(id));
  }
}
