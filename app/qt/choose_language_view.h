#pragma once

class CChooseLanguageDlg;
class QWidget;

// Shows the Choose Language dialog's list; returns kAnswerOk or kAnswerCancel.
int RunChooseLanguageView(CChooseLanguageDlg& model, QWidget* parent);
