#include "app/qt/cursor_art.h"

#include <QPixmap>
#include <QString>

#include "platform/qt/qt_ui_services.h"

namespace {

struct CursorArt {
  int cursorId;
  int hotX;
  int hotY;
};

// Every picture is 32 x 32: tools that pick objects point with the arrow's tip, tools that
// place points aim with the crosshair's centre.
constexpr int kArrowTip = 1;
constexpr int kCrossCentre = 10;

constexpr CursorArt kToolCursors[] = {
    {3412, kCrossCentre, kCrossCentre},  // zoom box
    {3600, kArrowTip, kArrowTip},        // pick
    {3601, kCrossCentre, kCrossCentre},  // pick control points
    {3602, kArrowTip, kArrowTip},        // pick T-lines
    {4000, kArrowTip, kArrowTip},        // place copies
    {4005, kArrowTip, kArrowTip},        // Extend and Revolve tool dialogs
    {5000, kArrowTip, kArrowTip},        // move
    {5001, kArrowTip, kArrowTip},        // size
    {5002, kArrowTip, kArrowTip},        // flip
    {5003, kArrowTip, kArrowTip},        // roll
    {6000, kArrowTip, kArrowTip},        // the deform tools
    {6001, kArrowTip, kArrowTip},
    {6002, kArrowTip, kArrowTip},
    {6003, kArrowTip, kArrowTip},
    {6004, kArrowTip, kArrowTip},
    {6005, kArrowTip, kArrowTip},
    {6006, kArrowTip, kArrowTip},
    {6007, kArrowTip, kArrowTip},
    {6008, kArrowTip, kArrowTip},
    {6009, kArrowTip, kArrowTip},
    {6010, kArrowTip, kArrowTip},
    {7000, kCrossCentre, kCrossCentre},  // the curve drawing tools
    {7001, kCrossCentre, kCrossCentre},
    {7002, kCrossCentre, kCrossCentre},
    {7003, kCrossCentre, kCrossCentre},
    {7004, kCrossCentre, kCrossCentre},
    {7005, kCrossCentre, kCrossCentre},
    {7006, kCrossCentre, kCrossCentre},
    {7010, kCrossCentre, kCrossCentre},
    {7011, kCrossCentre, kCrossCentre},  // sketch
    {7104, kArrowTip, kArrowTip},        // join curves
    {7105, kCrossCentre, kCrossCentre},  // split a curve
    {8004, kArrowTip, kArrowTip},        // loft
    {8005, kArrowTip, kArrowTip},        // pipe
    {8006, kArrowTip, kArrowTip},        // rail
    {9041, kCrossCentre, kCrossCentre},  // T-line
    {9300, kCrossCentre, kCrossCentre},  // measure
};

}  // namespace

QCursor ToolCursor(int cursorId) {
  for (const CursorArt& art : kToolCursors) {
    if (art.cursorId != cursorId) continue;
    const QPixmap picture(QStringLiteral(":/art/cursors/%1.svg").arg(cursorId));
    if (!picture.isNull()) return QCursor(picture, art.hotX, art.hotY);
    qWarning("The tool cursor %d cannot be drawn; is the Qt SVG plugin installed?", cursorId);
    break;
  }
  return QCursor(Qt::ArrowCursor);
}

void RegisterToolCursors(QtUiServices& ui) {
  for (const CursorArt& art : kToolCursors) ui.RegisterToolCursor(art.cursorId, ToolCursor(art.cursorId));
}
