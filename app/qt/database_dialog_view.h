#pragma once

class CDatabaseDlg;
class QImage;
class QWidget;
class RasterCanvas;

// Shows the sample-design browser: the folder tree beside the designs as 100 x 100 icons. A left
// or right click on a design ends it as OK. Returns kAnswerOk or kAnswerCancel.
int RunDatabaseView(CDatabaseDlg& model, QWidget* parent);

// A copy of the canvas as a picture, top row first.
QImage ImageOfCanvas(const RasterCanvas& canvas);
