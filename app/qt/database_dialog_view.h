#pragma once

class CDatabaseDlg;
class QWidget;

// Shows the sample-design browser: the folder tree beside the designs as 100 x 100 icons. A left
// or right click on a design ends it as OK. Returns kAnswerOk or kAnswerCancel.
int RunDatabaseView(CDatabaseDlg& model, QWidget* parent);
