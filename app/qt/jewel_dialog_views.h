#pragma once

class CJewelTypeDlg;
class CRoundDiamondSizeDlg;
class QtUiServices;
class QWidget;

// The cut chooser: the eight cuts as 50 x 50 pictures in table order; a press on one accepts it.
int RunJewelTypeView(CJewelTypeDlg& model, QWidget* parent);
// The round diamond size: a number and its unit.
int RunRoundDiamondSizeView(CRoundDiamondSizeDlg& model, QWidget* parent);
void RegisterJewelDialogViews(QtUiServices& ui);
