#pragma once

class CColorConfigDlg;
class QWidget;

// The Color Configuration dialog: four swatches with their labels, Reset, OK and Cancel.
int RunColorConfigView(CColorConfigDlg& model, QWidget* parent);
