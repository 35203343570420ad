#include <QDataStream>
#include <QToolBar>

#include <functional>
#include <vector>

#include "app/qt/main_frame.h"
#include "app/qt/toolbar_layout.h"
#include "app/qt/toolbar_state.h"
#include "qt_test.h"

namespace {

using ToolBarStateTest = QtTest;

// QMainWindow's state written field by field, as an independent reference of its format.
struct StateBar {
  QString name;
  quint8 flags = 1;
  qint32 position = 0;
  qint32 size = -1;
  quint32 packed0 = 0;
  quint32 packed1 = 0;
};
struct StateRow {
  qint32 area;
  std::vector<StateBar> bars;
};
struct StateFields {
  qint32 version = kToolBarStateVersion;
  qint32 dockAreas = 0;
  qint32 corner = Qt::LeftDockWidgetArea;
  std::vector<StateRow> rows;
  qint32 rowCount = -1;  // -1: as many as there are
  qint32 barCount = -1;  // -1: each row's own
};

QByteArray StateOf(const StateFields& f) {
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  out.setVersion(QDataStream::Qt_5_0);
  out << qint32{0xff} << f.version << quint8{0xfd} << f.dockAreas << qint32{640} << qint32{480};
  for (int i = 0; i < 4; ++i) out << f.corner;
  out << quint8{0xfc} << (f.rowCount >= 0 ? f.rowCount : static_cast<qint32>(f.rows.size()));
  for (const StateRow& row : f.rows) {
    out << row.area << (f.barCount >= 0 ? f.barCount : static_cast<qint32>(row.bars.size()));
    for (const StateBar& bar : row.bars) {
      out << bar.name << bar.flags << bar.position << bar.size << bar.packed0 << bar.packed1;
    }
  }
  return bytes;
}

// Two rows at the top, one on the left; bars named as the frame names them.
StateFields TwoSides() {
  StateFields f;
  f.rows = {{2, {{ToolBarObjectName(132)}, {ToolBarObjectName(131)}}},
            {2, {{ToolBarObjectName(130)}}},
            {0, {{ToolBarObjectName(135), 3, 0, -1}, {ToolBarObjectName(134), 3, 40, 120}}}};
  return f;
}

// A floating bar: the flag in bit 0, x and y offset by 0x7FFF in the low halves, width and
// height in the high halves (the first word shifted left by one).
StateBar Floating(int width, int height) {
  StateBar bar{ToolBarObjectName(136)};
  bar.packed0 = ((static_cast<quint32>(width) << 16 | (0x7FFF + 100)) << 1) | 1;
  bar.packed1 = static_cast<quint32>(height) << 16 | (0x7FFF + 50);
  return bar;
}

TEST_F(ToolBarStateTest, TheFramesOwnLayoutsHaveTheSavedShape) {
  CMainFrame frame;
  const std::vector<std::function<void()>> moves = {
      [] {},
      [&] { frame.addToolBar(Qt::BottomToolBarArea, frame.ToolBar(133)); },
      [&] { frame.ToolBar(138)->hide(); },
      [&] {
        frame.ToolBar(136)->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
        frame.ToolBar(136)->setGeometry(200, 150, 30, 300);
      },
      [&] {
        for (const ToolBarLayout& layout : MainFrameToolBars()) frame.addToolBar(Qt::TopToolBarArea, frame.ToolBar(layout.resource));
      },
  };
  for (std::size_t i = 0; i < moves.size(); ++i) {
    SCOPED_TRACE(i);
    moves[i]();
    const QByteArray state = frame.saveState(kToolBarStateVersion);
    EXPECT_TRUE(ToolBarStateHasSavedShape(state));
    // Cut anywhere, or with a byte more, it is not.
    for (qsizetype size = 0; size < state.size(); ++size) EXPECT_FALSE(ToolBarStateHasSavedShape(state.left(size))) << size;
    EXPECT_FALSE(ToolBarStateHasSavedShape(state + '\0'));
  }
  EXPECT_TRUE(ToolBarStateHasSavedShape(StateOf(TwoSides())));
  StateFields floating;
  floating.rows = {{1, {Floating(30, 300)}}};
  EXPECT_TRUE(ToolBarStateHasSavedShape(StateOf(floating)));
}

// Each case is the accepted two-sided state with one fault.
TEST_F(ToolBarStateTest, CountsNamesAndValuesBeyondTheFramesAreRefused) {
  struct Case {
    const char* name;
    std::function<void(StateFields&)> fault;
  };
  const Case cases[] = {
      {"another layout version", [](StateFields& f) { f.version = 2; }},
      {"a dock area", [](StateFields& f) { f.dockAreas = 1; }},
      {"2^31 - 1 dock areas", [](StateFields& f) { f.dockAreas = 0x7FFFFFFF; }},
      {"a corner owned by no side", [](StateFields& f) { f.corner = 3; }},
      {"2^31 - 1 rows", [](StateFields& f) { f.rowCount = 0x7FFFFFFF; }},
      {"2^31 - 1 bars in a row", [](StateFields& f) { f.barCount = 0x7FFFFFFF; }},
      {"an empty row", [](StateFields& f) { f.rows.push_back({3, {}}); }},
      {"a fifth side", [](StateFields& f) { f.rows[1].area = 4; }},
      {"a negative side", [](StateFields& f) { f.rows[1].area = -1; }},
      {"a bar the frame has not", [](StateFields& f) { f.rows[1].bars[0].name = QStringLiteral("ToolBar999"); }},
      {"a null name", [](StateFields& f) { f.rows[1].bars[0].name = QString(); }},
      {"the same bar twice", [](StateFields& f) { f.rows[1].bars[0].name = ToolBarObjectName(131); }},
      {"unknown flags", [](StateFields& f) { f.rows[0].bars[0].flags = 0x81; }},
      {"a position off any screen", [](StateFields& f) { f.rows[2].bars[1].position = 0x7FFFFFFF; }},
      {"a size off any screen", [](StateFields& f) { f.rows[2].bars[1].size = -0x7FFFFFFF; }},
      {"a floating bar 65535 wide", [](StateFields& f) { f.rows[1].bars[0] = Floating(65535, 30); }},
      {"a floating bar 65535 high", [](StateFields& f) { f.rows[1].bars[0] = Floating(30, 65535); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StateFields fields = TwoSides();
    c.fault(fields);
    EXPECT_FALSE(ToolBarStateHasSavedShape(StateOf(fields)));
  }
}

}  // namespace
