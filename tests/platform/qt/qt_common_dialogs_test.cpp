#include "platform/qt/qt_common_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHeaderView>
#include <QTreeView>

#include <string_view>

#include "qt_test.h"

namespace {

using QtCommonDialogsTest = QtTest;

TEST_F(QtCommonDialogsTest, FiltersBecomeQtNameFiltersWithStarForStarDotStar) {
  const std::vector<FileFilter> filters = {{"Lumidrex Layer Files (*.lyr)", "*.lyr"},
                                           {"All Files (*.*)", "*.*"},
                                           {"Pictures", "*.bmp;*.jpg"}};
  EXPECT_EQ(QtNameFilters(filters), (QStringList{QStringLiteral("Lumidrex Layer Files (*.lyr)"),
                                                 QStringLiteral("All Files (*)"),
                                                 QStringLiteral("Pictures (*.bmp *.jpg)")}));
}

TEST_F(QtCommonDialogsTest, TheChosenFilterComesBackAsItsIndexAndNoExtensionIsAdded) {
  const TempDir folder;
  FileDialogRequest request;
  request.open = false;
  request.filters = {{"Lumidrex Layer Files (*.lyr)", "*.lyr"}, {"All Files (*.*)", "*.*"}};
  request.filterIndex = 1;
  request.initialFolder = folder.path();
  request.defaultName = "layers";
  WhenModalOpens([](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("Lumidrex Layer Files (*.lyr)"));
    dialog->selectNameFilter(QStringLiteral("All Files (*)"));
    static_cast<QDialog*>(dialog)->accept();
  });
  const auto answer = platform().dialogs().AskFileName(request);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->filterIndex, 2);
  EXPECT_EQ(answer->path, folder.File("layers"));

  WhenModalOpens([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_FALSE(platform().dialogs().AskFileName(request));
}

// Every column of the file list, name, size, type and date, lies whole within the list, the last
// three as wide as what they show.
TEST_F(QtCommonDialogsTest, TheFileDialogOpensLargeEnoughForEveryColumnOfItsList) {
  const TempDir folder;
  folder.Write("a ring with a rather long name of its own.lxd", std::string_view("TALVERNOSIGN0100#"));
  FileDialogRequest request;
  request.open = true;
  request.filters = {{"Lumidrex Files (*.lxd)", "*.lxd"}};
  request.initialFolder = folder.path();
  WhenModalOpens([](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(list, nullptr);
    dialog->setViewMode(QFileDialog::Detail);
    QApplication::processEvents();
    const QHeaderView* header = list->header();
    ASSERT_EQ(header->count(), 4);
    for (int column = 0; column < header->count(); ++column) {
      SCOPED_TRACE(column);
      EXPECT_FALSE(header->isSectionHidden(column));
      EXPECT_LE(header->sectionViewportPosition(column) + header->sectionSize(column), list->viewport()->width());
      // No heading is cut.
      EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column));
      if (column > 0) EXPECT_EQ(header->sectionResizeMode(column), QHeaderView::ResizeToContents);
    }
    dialog->reject();
  });
  EXPECT_FALSE(platform().dialogs().AskFileName(request));
}

TEST_F(QtCommonDialogsTest, ColourRefsKeepTheirByteOrder) {
  EXPECT_EQ(ColorFromColorRef(0x00FF8040), QColor(0x40, 0x80, 0xFF));
  EXPECT_EQ(ColorRefFromColor(QColor(0x40, 0x80, 0xFF)), 0x00FF8040u);
}

TEST_F(QtCommonDialogsTest, TheColourDialogKeepsTheCustomColours) {
  CustomColorSet custom;
  custom.fill(0xFFFFFF);
  custom[3] = 0x0000FF;
  WhenModalOpens([](QWidget* modal) {
    QColorDialog::setCustomColor(5, QColor(0, 255, 0));
    auto* dialog = qobject_cast<QColorDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->currentColor(), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(QColorDialog::customColor(3), QColor(255, 0, 0));
    dialog->setCurrentColor(QColor(1, 2, 3));
    dialog->accept();
  });
  EXPECT_EQ(platform().dialogs().AskColor(0x123456, &custom), std::optional<std::uint32_t>(0x030201));
  EXPECT_EQ(custom[5], 0x00FF00u);
  EXPECT_EQ(custom[3], 0x0000FFu);
}

TEST_F(QtCommonDialogsTest, TheFontDialogStartsFromTheLastChoiceAndGivesBackWhatItWasGiven) {
  // The dialog can only select a face that is installed: fonts-liberation, from the package list,
  // brings this one.
  ASSERT_TRUE(QFontDatabase::styles(QStringLiteral("Liberation Sans")).contains(QStringLiteral("Bold Italic")));
  WhenModalOpens([](QWidget* modal) {
    auto* dialog = qobject_cast<QFontDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->testOption(QFontDialog::ScalableFonts));
    EXPECT_EQ(dialog->currentFont().family(), QStringLiteral("Liberation Serif"));
    QFont font(QStringLiteral("Liberation Sans"));
    // The dialog works in points: 15 points are 20 pixels at 96 dpi.
    font.setPointSize(15);
    font.setBold(true);
    font.setItalic(true);
    dialog->setCurrentFont(font);
    dialog->accept();
  });
  const std::optional<FontChoice> chosen = platform().dialogs().AskFont({"Liberation Serif", 20, false, false});
  EXPECT_EQ(chosen, (FontChoice{"Liberation Sans", 20, true, true}));

  WhenModalOpens([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
  EXPECT_FALSE(platform().dialogs().AskFont({}));
}

}  // namespace
