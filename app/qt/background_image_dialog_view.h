#pragma once

class CBackgroundImageDlg;
class QWidget;

// Shows the Background Image dialog; returns kAnswerOk, kAnswerCancel or the model's
// kPickCentreResult after "Image centre".
int RunBackgroundImageView(CBackgroundImageDlg& model, QWidget* parent);
