#include "app/qt/app_dialog_views.h"

#include "app/database_dialog.h"
#include "app/qt/background_image_dialog_view.h"
#include "app/qt/choose_language_view.h"
#include "app/qt/color_config_view.h"
#include "app/qt/curve_dialog_views.h"
#include "app/qt/database_dialog_view.h"
#include "app/qt/hotkeys_dialog_view.h"
#include "app/qt/jewel_dialog_views.h"
#include "app/qt/layers_dialog_view.h"
#include "app/qt/manufacturing_dialog_views.h"
#include "app/qt/mapping_dialog_views.h"
#include "app/qt/nc_dialog_views.h"
#include "app/qt/render_dialog_views.h"
#include "app/qt/settings_dialog_views.h"
#include "app/qt/slice_viewer_view.h"
#include "app/qt/surface_dialog_views.h"
#include "app/qt/surface_parameter_views.h"
#include "app/qt/text_dialog_view.h"
#include "app/qt/transform_dialog_view.h"
#include "app/settings_dialogs.h"
#include "modelling/color_config_dialog.h"
#include "modelling/text_command.h"
#include "platform/qt/qt_ui_services.h"
#include "scene/background_image_dialog.h"
#include "services/choose_language.h"
#include "services/hotkeys_dialog.h"
#include "services/layers_dialog.h"

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
  ui.RegisterDialogView(CGridSettingDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunGridSettingView(static_cast<CGridSettingDlg&>(model), parent);
  });
  ui.RegisterDialogView(CDirectoriesDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunDirectoriesView(static_cast<CDirectoriesDlg&>(model), parent);
  });
  ui.RegisterDialogView(CZoomCalibrationDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunZoomCalibrationView(static_cast<CZoomCalibrationDlg&>(model), parent);
  });
  ui.RegisterDialogView(CBackgroundImageDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunBackgroundImageView(static_cast<CBackgroundImageDlg&>(model), parent);
  });
  ui.RegisterDialogView(CDatabaseDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunDatabaseView(static_cast<CDatabaseDlg&>(model), parent);
  });
  ui.RegisterDialogView(CTextDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunTextDialogView(static_cast<CTextDlg&>(model), parent);
  });
  RegisterCurveDialogViews(ui);
  RegisterJewelDialogViews(ui);
  RegisterSurfaceDialogViews(ui);
  RegisterSliceViewerView(ui);
  RegisterSurfaceParameterViews(ui);
  RegisterTransformDialogView(ui);
  RegisterMappingDialogViews(ui);
  ui.RegisterDialogView(CColorConfigDlg::kName, [](DialogModel& model, QWidget* parent) {
    return RunColorConfigView(static_cast<CColorConfigDlg&>(model), parent);
  });
  RegisterRenderDialogViews(ui);
  RegisterManufacturingDialogViews(ui);
  RegisterNcDialogViews(ui);
  UseQtHotkeyListMetrics();
}
