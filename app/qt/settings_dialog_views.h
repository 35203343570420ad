#pragma once

class CDirectoriesDlg;
class CGridSettingDlg;
class CZoomCalibrationDlg;
class QWidget;

// The views of the three settings dialogs; each returns kAnswerOk or kAnswerCancel.
int RunGridSettingView(CGridSettingDlg& model, QWidget* parent);
int RunDirectoriesView(CDirectoriesDlg& model, QWidget* parent);
int RunZoomCalibrationView(CZoomCalibrationDlg& model, QWidget* parent);
