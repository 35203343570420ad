#include "app/qt/database_dialog_view.h"

#include <QDialog>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>

#include "app/database_dialog.h"
#include "app/qt/app_dialog_views.h"
#include "gem_library_file.h"
#include "kernel/axis_line_object.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "qt_test.h"
#include "scene/scene.h"
#include "services/app_settings.h"

namespace {

using DatabaseDialogViewTest = QtTest;

int SceneObjects() {
  int count = 0;
  for (CGeomObject* object = TheScene.head; object != nullptr; object = object->next) ++count;
  return count;
}

TEST_F(DatabaseDialogViewTest, AClickOnADesignInsertsItAndTheNextOpeningSelectsItAgain) {
  RegisterAppDialogViews(platform().ui());
  InstallPlatformServices({&platform().ui(), &Headless(), &platform().settings(), nullptr, &platform().input()});
  TempDir root;
  for (const char* design : {"Rings/Rings1/001.lxd", "Earrings/e1.lxd", "Earrings/e2.lxd"}) {
    const std::filesystem::path path = std::filesystem::path(root.path()) / design;
    std::filesystem::create_directories(path.parent_path());
    std::vector<std::unique_ptr<CGeomObject>> objects;
    objects.push_back(std::make_unique<CAxisLineObject>());
    WriteGemLibraryFile(path.string(), std::move(objects));
  }
  DataBaseDir = root.path();

  for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
    WhenModalOpens([button](QWidget* modal) {
      auto* tree = modal->findChild<QTreeWidget*>();
      auto* list = modal->findChild<QListWidget*>();
      ASSERT_TRUE(tree && list);
      ASSERT_NE(tree->currentItem(), nullptr);
      EXPECT_EQ(list->iconSize(), QSize(100, 100));
      if (button == Qt::LeftButton) {
        EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("Rings1"));
        tree->setCurrentItem(tree->topLevelItem(0));  // Earrings
      } else {
        EXPECT_EQ(tree->currentItem()->text(0), QStringLiteral("Earrings"));
        EXPECT_EQ(list->currentRow(), 1);
      }
      ASSERT_EQ(list->count(), 2);
      QTest::mouseClick(list->viewport(), button, {}, list->visualItemRect(list->item(1)).center());
      if (modal->isVisible()) qobject_cast<QDialog*>(modal)->reject();
    });
    RunDatabaseDialog();
  }
  EXPECT_EQ(SceneObjects(), 2);
}

}  // namespace
