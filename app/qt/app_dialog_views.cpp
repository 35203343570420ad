#include "app/qt/app_dialog_views.h"

#include "app/core/choose_language.h"
#include "app/core/hotkeys_dialog.h"
#include "app/core/layers_dialog.h"
#include "app/qt/choose_language_view.h"
#include "app/qt/curve_dialog_views.h"
#include "app/qt/hotkeys_dialog_view.h"
#include "app/qt/layers_dialog_view.h"
#include "platform/qt/qt_ui_services.h"

void RegisterAppDialogViews(QtUiServices& ui) {
  ui.RegisterDialogView(CChooseLanguageDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunChooseLanguageView(static_cast<CChooseLanguageDlg&>(model), parent);
  });
  ui.RegisterDialogView(CLayersDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunLayersDialogView(static_cast<CLayersDlg&>(model), parent);
  });
  ui.RegisterDialogView(CHotkeysDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunHotkeysDialogView(static_cast<CHotkeysDlg&>(model), parent);
  });
  ui.RegisterDialogView(CHotkeyDefineDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunHotkeyDefineView(static_cast<CHotkeyDefineDlg&>(model), parent);
  });
  RegisterCurveDialogViews(ui);
  UseQtHotkeyListMetrics();
}
