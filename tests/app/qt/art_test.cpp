#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QWidget>

#include "app/qt/cursor_art.h"
#include "app/qt/toolbar_art.h"
#include "qt_test.h"

namespace {

// The buttons of the nine toolbars, separators left out.
constexpr int kToolbarCommands[] = {
    57600, 57601, 57603, 57669,                                                        // File
    3002,  3100,  3101,  3102,  3103,  3104,  3105,  3201,  3202,  3203,  3204,  3205,  // View
    3206,  3200,  3310,  3311,  3300,  3301,  3400,  3401,  3402,  3403,  3410,  3411,
    3412,  3413,  3414,  3420,  3421,  3422,  3423,  3430,  3431,  3440,
    3600,  57643, 57644,                                                               // General
    4000,  4001,  4002,  4003,  4004,  4005,  4006,                                    // Copy
    5000,  5001,  5002,  5003,  5010,                                                  // Transform
    6000,  6001,  6002,  6003,  6004,  6005,  6006,  6007,  6008,  6009,  6010,  6100,  // Deform
    6101,
    7000,  7001,  7002,  7003,  7004,  7005,  7006,  7021,  7100,  7101,               // Curve
    8000,  8001,  8002,  8004,  8005,  8006,                                           // Surface
    9000,  9001,  9002,  9003,                                                         // Boolean
};

constexpr int kToolCursorIds[] = {3412, 3600, 3601, 3602, 4000, 4005, 5000, 5001, 5002, 5003, 6000, 6001, 6002,
                                  6003, 6004, 6005, 6006, 6007, 6008, 6009, 6010, 7000, 7001, 7002, 7003, 7004,
                                  7005, 7006, 7010, 7011, 7104, 7105, 8004, 8005, 8006, 9041, 9300};

// A picture that shows something: some pixels drawn, and in more than one colour.
bool ShowsAPicture(const QImage& image) {
  bool drawn = false;
  bool varied = false;
  const QRgb first = image.pixel(0, 0);
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      drawn = drawn || qAlpha(pixel) != 0;
      varied = varied || pixel != first;
    }
  }
  return drawn && varied;
}

class ArtTest : public QtTest {
 protected:
  void SetUp() override {
    QtTest::SetUp();
    ASSERT_TRUE(QImageReader::supportedImageFormats().contains("svg"))
        << "Qt cannot read SVG pictures: install the Qt SVG plugins (Debian package libqt6svg6)";
  }
};

TEST_F(ArtTest, EveryToolbarButtonHasAPicture) {
  EXPECT_EQ(std::size(kToolbarCommands), 86u);
  for (int command : kToolbarCommands) {
    const QIcon icon = ToolbarIcon(command);
    ASSERT_FALSE(icon.isNull()) << command;
    const QImage image = icon.pixmap(24, 24).toImage();
    EXPECT_EQ(image.size(), QSize(24, 24)) << command;
    EXPECT_TRUE(ShowsAPicture(image)) << command;
  }
  for (int command : {0, 3441, 3415, 57604}) EXPECT_TRUE(ToolbarIcon(command).isNull()) << command;
}

TEST_F(ArtTest, ThemeIconsComeFirstForTheStandardCommands) {
  // A theme of one icon: New takes it, Undo falls back to our picture, the rest never look.
  TempDir themes;
  QDir(QString::fromStdString(themes.path())).mkpath(QStringLiteral("probe/24x24"));
  themes.Write("probe/index.theme",
               "[Icon Theme]\nName=probe\nDirectories=24x24\n\n[24x24]\nSize=24\nType=Fixed\n");
  QImage red(24, 24, QImage::Format_ARGB32);
  red.fill(Qt::red);
  ASSERT_TRUE(red.save(QString::fromStdString(themes.File("probe/24x24/document-new.png"))));
  const QStringList searchPaths = QIcon::themeSearchPaths();
  const QString themeName = QIcon::themeName();
  QIcon::setThemeSearchPaths({QString::fromStdString(themes.path())});
  QIcon::setThemeName(QStringLiteral("probe"));

  EXPECT_EQ(ToolbarIcon(57600).pixmap(24, 24).toImage().pixel(12, 12), QColor(Qt::red).rgb());
  EXPECT_TRUE(ShowsAPicture(ToolbarIcon(57643).pixmap(24, 24).toImage()));
  EXPECT_TRUE(ToolbarIcon(3400).name().isEmpty());

  QIcon::setThemeName(themeName);
  QIcon::setThemeSearchPaths(searchPaths);
}

TEST_F(ArtTest, EveryToolCursorIsAPictureWithItsHotspotInside) {
  for (int id : kToolCursorIds) {
    const QCursor cursor = ToolCursor(id);
    ASSERT_EQ(cursor.shape(), Qt::BitmapCursor) << id;
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32)) << id;
    ASSERT_TRUE(QRect(0, 0, 32, 32).contains(cursor.hotSpot())) << id;
    const QImage image = cursor.pixmap().toImage();
    EXPECT_TRUE(ShowsAPicture(image)) << id;
    // The table's hotspot lies on the picture's tip or centre, never on empty ground.
    EXPECT_NE(qAlpha(image.pixel(cursor.hotSpot())), 0) << id;
  }
  for (int id : {0, 3441, 7100}) EXPECT_EQ(ToolCursor(id).shape(), Qt::ArrowCursor) << id;
}

TEST_F(ArtTest, RegisteredCursorsShowOverTheViews) {
  QWidget view;
  platform().ui().AddToolCursorWidget(&view);
  RegisterToolCursors(platform().ui());
  for (int id : kToolCursorIds) {
    platform().ui().SetToolCursor(id);
    const QCursor shown = view.cursor();
    EXPECT_EQ(shown.shape(), Qt::BitmapCursor) << id;
    EXPECT_EQ(shown.hotSpot(), ToolCursor(id).hotSpot()) << id;
  }
  platform().ui().SetToolCursor(0);
  EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
