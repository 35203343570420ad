#pragma once

#include <array>

#include "services/data_dialog.h"

// The Curve menu's parameter dialogs. Each model starts from the values kept for the run and
// gives them back at OK; the command then runs its worker.

// The program-wide circle diameter, which the Ring Size command also sets.
extern float CircleDiameter;

class CMakeLineDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Make a Line";
  static constexpr int kAngleEdit = 1000;
  static constexpr std::array<float, 13> kAngles = {0, 5, 10, 15, 22.5f, 30, 45, 60, 75, 90, 120, 135, 150};
  const char* DialogName() const override { return kName; }
  float angle = 0.0f;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

class CMakeCircleDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Make a Circle";
  static constexpr int kSizeEdit = 1000;
  static constexpr std::array<int, 13> kCounts = {3, 4, 5, 6, 7, 8, 9, 10, 12, 16, 24, 32, 48};
  const char* DialogName() const override { return kName; }
  // The size field shows the diameter, halved while Radius is chosen.
  void SetSizeKind(int kind);
  // The diameter the size field stands for.
  float Diameter() const { return sizeKind == 1 ? 2.0f * size : size; }
  int count = 6;
  int sizeKind = 0;
  float size = 1.0f;
  int first = 1;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

class CPolygonDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Making a Polygon";
  static constexpr std::array<int, 13> kSides = {3, 4, 5, 6, 7, 8, 9, 10, 12, 16, 24, 32, 48};
  const char* DialogName() const override { return kName; }
  int sides = 4;
  int first = 1;

 protected:
  // Lists and pictures only: nothing typed.
  void DoDataExchange(DataExchange&) override {}
};

class CHelixDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Make a Helix";
  // Radius 1, Radius 2, Length, No. of turns, CV's per turn.
  static constexpr int kEdits[5] = {1000, 1001, 1002, 1003, 1004};
  const char* DialogName() const override { return kName; }
  float values[5] = {0.0f, 10.0f, 0.0f, 1.0f, 6.0f};
  int clockwise = 0;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

class CDivideCurvesDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Divide Curves";
  static constexpr int kNumberEdit = 1000;
  // The field takes two characters: 1 to 99.
  static constexpr int kMaxNumber = 99;
  const char* DialogName() const override { return kName; }
  int number = 2;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

class COffsetDlg : public CDataDialog {
 public:
  static constexpr char kName[] = "Offset";
  static constexpr int kDistanceEdit = 1000;
  const char* DialogName() const override { return kName; }
  float distance = 1.0f;
  int side = 0;

 protected:
  void DoDataExchange(DataExchange& dx) override;
};

// The commands: each runs its dialog and, at OK, resets to the pick tool and runs the worker
// in the plane of the active view.
void RunMakeLineDialog();
void RunMakeCircleDialog();
void RunPolygonDialog();
void RunHelixDialog();
void RunDivideCurvesDialog();
void RunCurveOffsetDialog();

// The dialogs with the values they keep for the run: each runs on a copy, kept at OK.
struct KeptCurveDialogs {
  CMakeLineDlg line;
  CMakeCircleDlg circle;
  CPolygonDlg polygon;
  CHelixDlg helix;
  CDivideCurvesDlg divide;
  COffsetDlg offset;
};
extern KeptCurveDialogs CurveDialogs;

void ResetCurveDialogValues();
