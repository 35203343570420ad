#pragma once

class CTextDlg;
class QWidget;

// The Text dialog: the line of text in the chosen font, Create Block Text and Set font.
int RunTextDialogView(CTextDlg& model, QWidget* parent);
