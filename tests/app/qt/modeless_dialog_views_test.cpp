#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <memory>
#include <string>
#include <vector>

#include "app/qt/main_frame.h"
#include "kernel/curve_object.h"
#include "kernel/surface_object.h"
#include "modelling/extend_tool_dialog.h"
#include "modelling/revolve_tool_dialog.h"
#include "modelling/surface_commands.h"
#include "platform/qt/qt_modeless_dialog.h"
#include "app/vorn_doc.h"
#include "scene/design_file.h"
#include "scene/pick_tool.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "shell_test.h"

namespace {

// The whole program with a selected profile curve in its front view; the Extend and Revolve
// windows are driven with real keys and clicks, and the document is looked at afterwards.
class ModelessDialogViewsTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    Start();
    // The user works in the main window.
    QApplication::setActiveWindow(&frame());
    Settle();
  }

  // Posted commands run, windows closed from their own buttons go.
  static void Settle() {
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  static void AddProfile() {
    auto curve = std::make_unique<CCurveObject>();
    curve->SetPoints(4, {{1, 0, 0}, {2, 0, 1}, {2, 0, 2}, {1, 0, 3}});
    AddObject(curve, 1);
  }

  // Objects of the kind that a save would keep.
  static int Count(int kind) {
    int count = 0;
    for (const CGeomObject* object = TheScene.head; object != nullptr; object = object->next) {
      if (object->ObjectState >= 0 && object->GetKind() == kind) ++count;
    }
    return count;
  }

  static const CSurfaceObject& LastSurface() {
    const CGeomObject* last = nullptr;
    for (const CGeomObject* object = TheScene.head; object != nullptr; object = object->next) {
      if (object->GetKind() == kKindSurface) last = object;
    }
    return *static_cast<const CSurfaceObject*>(last);
  }

  // The tool window on screen; null when none is.
  static QtModelessDialog* ToolWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = dynamic_cast<QtModelessDialog*>(widget);
      if (dialog != nullptr && dialog->isVisible()) return dialog;
    }
    return nullptr;
  }

  static QPushButton* Button(QWidget* window, const QString& text) {
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
      if (button->text() == text) return button;
    }
    return nullptr;
  }
};

enum class Press { kOkButton, kReturn, kCancelButton };

struct Case {
  const char* name;
  int command;
  const char* title;
  int curvesAdded;
  int surfacesAdded;
  int toolAfterOk;  // the cursor of the tool that OK leaves current
};

// Three copies or rows typed into each dialog's first field.
const Case kCases[] = {
    {"Curve Extend", 7005, "Extend", 0, 0, 7005},
    {"Adjust Extend", 7035, "Extend", 0, 0, 7005},
    {"Curve Revolve", 7006, "Revolve", 0, 0, 7006},
    {"Adjust Revolve", 7036, "Revolve", 0, 0, 7006},
    {"Copy Extend", 4005, "Extend", 2, 0, kPickCommand},
    {"Copy Revolve", 4006, "Revolve", 2, 0, kPickCommand},
    {"Extend Surface", kExtendSurfaceCommand, "Extend", 0, 1, kPickCommand},
    {"Vertical Revolve Surface", kVerticalRevolveSurfaceCommand, "Revolve", 0, 1, kPickCommand},
    {"Horizontal Revolve Surface", kHorizontalRevolveSurfaceCommand, "Revolve", 0, 1, kPickCommand},
};

TEST_F(ModelessDialogViewsTest, OkAndReturnCarryOutTheCommandOnceAndCancelChangesNothing) {
  for (const Press press : {Press::kOkButton, Press::kReturn, Press::kCancelButton}) {
    for (const Case& c : kCases) {
      SCOPED_TRACE(std::string(c.name) + " by " +
                   (press == Press::kOkButton ? "OK" : press == Press::kReturn ? "Return" : "Cancel"));
      // A fresh design holding only the selected profile.
      NewScene(frame().ActiveDocument());
      AddProfile();
      const int curves = Count(kKindCurve);
      const int surfaces = Count(kKindSurface);

      frame().OnCommand(c.command);
      Settle();
      QtModelessDialog* window = ToolWindow();
      ASSERT_NE(window, nullptr);
      EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.title));
      EXPECT_NE(TheScene.overlayTool, nullptr);
      // Open over the main window, its transient, with the focus in its first field.
      EXPECT_EQ(window->windowHandle()->transientParent(), frame().windowHandle());
      EXPECT_TRUE(frame().geometry().contains(window->geometry()));
      QWidget* field = QApplication::focusWidget();
      ASSERT_NE(field, nullptr);

      ASSERT_TRUE(window->isAncestorOf(field));
      // An edit, or a list to type in.
      ASSERT_TRUE(qobject_cast<QLineEdit*>(field) != nullptr || qobject_cast<QComboBox*>(field) != nullptr);
      QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(field, QStringLiteral("3"));

      switch (press) {
        case Press::kOkButton:
          QTest::mouseClick(Button(window, QStringLiteral("OK")), Qt::LeftButton);
          break;
        case Press::kReturn:
          QTest::keyClick(field, Qt::Key_Return);
          break;
        case Press::kCancelButton:
          QTest::mouseClick(Button(window, QStringLiteral("Cancel")), Qt::LeftButton);
          break;
      }
      Settle();

      const bool ok = press != Press::kCancelButton;
      EXPECT_EQ(ToolWindow(), nullptr);
      EXPECT_EQ(TheScene.overlayTool, nullptr);
      EXPECT_EQ(Count(kKindCurve), curves + (ok ? c.curvesAdded : 0));
      EXPECT_EQ(Count(kKindSurface), surfaces + (ok ? c.surfacesAdded : 0));
      // The surface takes the three rows typed.
      if (ok && c.surfacesAdded > 0) EXPECT_EQ(LastSurface().rows, 3);
      EXPECT_EQ(GetCurrentToolCursorId(), ok ? c.toolAfterOk : kPickCommand);
    }
  }
}

}  // namespace
