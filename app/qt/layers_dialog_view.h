#pragma once

class CLayersDlg;
class QWidget;

// Shows the Layers dialog as a grid of 20 rows bound to the model's working copy; returns
// kAnswerOk or kAnswerCancel.
int RunLayersDialogView(CLayersDlg& model, QWidget* parent);
