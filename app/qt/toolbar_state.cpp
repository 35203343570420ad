#include "app/qt/toolbar_state.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QSettings>
#include <QStringList>

#include "app/qt/toolbar_layout.h"

namespace {

const QString kStateKey = QStringLiteral("ToolBars/State");
const QString kVersionKey = QStringLiteral("ToolBars/Version");
const QString kChecksumKey = QStringLiteral("ToolBars/Checksum");

// The main frame's state is a few hundred bytes.
constexpr qsizetype kMaxStateBytes = 4096;

// The markers and sizes of QMainWindow's state format (stream version Qt 5.0, big-endian).
constexpr qint32 kVersionMarker = 0xff;
constexpr quint8 kDockSectionMarker = 0xfd;
constexpr quint8 kToolBarSectionMarker = 0xfc;
constexpr qint32 kToolBarAreas = 4;
constexpr int kDockCorners = 4;
// A bar's flags: shown, vertical.
constexpr quint8 kBarFlags = 0x3;
// Positions and sizes of a real window, in pixels; a floating bar's packed size keeps 16 bits.
constexpr qint32 kMaxPixels = 1 << 16;
constexpr quint32 kMaxFloatingSide = 8192;

QByteArray Checksum(const QByteArray& state) {
  return QCryptographicHash::hash(state, QCryptographicHash::Sha256).toHex();
}

bool InPixelRange(qint32 value) { return value >= -kMaxPixels && value <= kMaxPixels; }

// One bar of a row: its name (one of the frame's bars not met before), flags, position and
// preferred size along the row, and the floating geometry packed into two words.
bool ReadBar(QDataStream& in, QStringList* unmet) {
  QString name;
  quint8 flags = 0;
  qint32 position = 0;
  qint32 size = 0;
  quint32 packed0 = 0;
  quint32 packed1 = 0;
  in >> name >> flags >> position >> size >> packed0 >> packed1;
  // A floating bar (bit 0) keeps its width in bits 17-32 of the first word, its height in the
  // high half of the second.
  const bool floating = (packed0 & 1) != 0;
  const bool floatingFits = !floating || ((packed0 >> 17) <= kMaxFloatingSide && (packed1 >> 16) <= kMaxFloatingSide);
  return in.status() == QDataStream::Ok && unmet->removeOne(name) && (flags & ~kBarFlags) == 0 &&
         InPixelRange(position) && InPixelRange(size) && floatingFits;
}

}  // namespace

QString ToolBarObjectName(int resource) { return QStringLiteral("ToolBar%1").arg(resource); }

QByteArray StoredToolBarState(const QSettings& profile) { return profile.value(kStateKey).toByteArray(); }

void StoreToolBarState(QSettings& profile, const QByteArray& state) {
  profile.setValue(kStateKey, state);
  profile.setValue(kVersionKey, kToolBarStateVersion);
  profile.setValue(kChecksumKey, Checksum(state));
}

bool ToolBarStateHasSavedShape(const QByteArray& state) {
  if (state.size() > kMaxStateBytes) return false;
  QStringList unmet;
  for (const ToolBarLayout& layout : MainFrameToolBars()) unmet << ToolBarObjectName(layout.resource);

  QDataStream in(state);
  in.setVersion(QDataStream::Qt_5_0);
  qint32 marker = 0;
  qint32 version = 0;
  in >> marker >> version;
  if (marker != kVersionMarker || version != kToolBarStateVersion) return false;

  // The dock section: no dock area, then the central widget's size and the four corners' owners.
  quint8 section = 0;
  qint32 dockAreas = -1;
  qint32 centralWidth = 0;
  qint32 centralHeight = 0;
  in >> section >> dockAreas >> centralWidth >> centralHeight;
  if (section != kDockSectionMarker || dockAreas != 0 || !InPixelRange(centralWidth) || !InPixelRange(centralHeight)) {
    return false;
  }
  for (int corner = 0; corner < kDockCorners; ++corner) {
    qint32 owner = 0;
    in >> owner;
    if (owner != Qt::LeftDockWidgetArea && owner != Qt::RightDockWidgetArea && owner != Qt::TopDockWidgetArea &&
        owner != Qt::BottomDockWidgetArea) {
      return false;
    }
  }

  // The toolbar section: rows, each on a side and holding at least one bar.
  qint32 rows = -1;
  in >> section >> rows;
  if (section != kToolBarSectionMarker || rows < 0 || rows > unmet.size()) return false;
  for (qint32 row = 0; row < rows; ++row) {
    qint32 area = -1;
    qint32 bars = -1;
    in >> area >> bars;
    if (in.status() != QDataStream::Ok || area < 0 || area >= kToolBarAreas || bars < 1 || bars > unmet.size()) {
      return false;
    }
    for (qint32 bar = 0; bar < bars; ++bar) {
      if (!ReadBar(in, &unmet)) return false;
    }
  }
  return in.status() == QDataStream::Ok && in.atEnd();
}

std::optional<QByteArray> RestorableToolBarState(const QSettings& profile) {
  const QByteArray state = StoredToolBarState(profile);
  const bool ours = profile.value(kVersionKey).toInt() == kToolBarStateVersion &&
                    profile.value(kChecksumKey).toByteArray() == Checksum(state);
  if (state.isEmpty() || !ours || !ToolBarStateHasSavedShape(state)) return std::nullopt;
  return state;
}
