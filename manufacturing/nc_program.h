#pragma once

#include <functional>
#include <string>

#include "kernel/matrix4.h"
#include "services/data_dialog.h"

class CNcPost;

// What one height-grid program is made from. Lengths are machine units: model units times scale.
struct NcSettings {
  int dialect = 0;
  Vector3 corner1{-10.0f, -10.0f, -10.0f};
  Vector3 corner2{10.0f, 10.0f, 10.0f};
  float xStep = 0.1f;
  float yStep = 0.1f;
  float allowance = 0.1f;
  float roughingPitch = 1.0f;
  float stepDown = 1.0f;
  int tool = 0;
  float toolDiameter = 1.0f;
  float tipRadius = 0.5f;
  float tipAngle = 30.0f;
  float offsetRadius = 0.0f;
  float quantum = 0.001f;
  float scale = 1.0f;
  bool toAndFro = false;
  int molding = 0;  // 0 Positive, 1 Negative
  int passes = 0;   // 0 Altogether, 1 Roughing, 2 Fine cut
};

// The NC Machining dialog. One instance serves the run, so each use opens with the values of the
// last; "Setup..." ends it with kSetupAnswer once its fields check.
class CNcMachiningDlg : public CDataDialog {
 public:
  static constexpr const char* kName = "NC Machining";
  static constexpr int kSetupAnswer = 1001;
  // The caption and the labels, "NC file name" to "Setup...", in the order of the table.
  static constexpr int kCaptionString = 33300;
  static constexpr int kFirstLabelString = 33301;
  static constexpr int kLastLabelString = 33326;
  static constexpr const char* kToolNames[3] = {"Ball Point", "Flat End", "Conical"};
  static constexpr const char* kFilter = "NC Files (*.nc)|*.nc|All Files (*.*)|*.*|";

  static constexpr int kFileEdit = 1000;
  static constexpr int kCorner1Edits = 1010;  // x, y, z
  static constexpr int kCorner2Edits = 1013;
  static constexpr int kXStepEdit = 1020;
  static constexpr int kYStepEdit = 1021;
  static constexpr int kAllowanceEdit = 1022;
  static constexpr int kPitchEdit = 1023;
  static constexpr int kStepDownEdit = 1024;
  static constexpr int kDiameterEdit = 1030;
  static constexpr int kTipRadiusEdit = 1031;
  static constexpr int kTipAngleEdit = 1032;
  static constexpr int kOffsetEdit = 1033;
  static constexpr int kQuantumEdit = 1034;
  static constexpr int kScaleEdit = 1035;

  // Steps, step-down, quantum and scale: 0 would make the arithmetic degenerate, and the floor
  // keeps "%.6g" from writing an exponent.
  static constexpr float kMinStep = 0.0001f;
  static constexpr float kMaxLength = 1000000.0f;
  // Corners and the offset stay where every written number is below 10^6: an "E" word stops
  // G-code readers.
  static constexpr float kMaxCorner = 100000.0f;
  static constexpr float kMaxOffset = 1000.0f;
  // A cone of angle 0 has no tip.
  static constexpr float kMinConicalAngle = 0.1f;

  const char* DialogName() const override { return kName; }
  void OnBrowse();
  void OnUnits();
  // The tip fields serve "Conical" only.
  bool TipFieldsEnabled() const { return settings.tool == 2; }

  std::string fileName = "vorn";
  NcSettings settings;
  std::function<void()> onChanged;

 protected:
  void DoDataExchange(DataExchange& dx) override;

 private:
  int filterIndex_ = 1;
};

CNcMachiningDlg& NcMachiningDialog();

// The box the program was last written for (or the region tool last set), for the run.
struct NcBox {
  Vector3 corner1{-10.0f, -10.0f, -10.0f};
  Vector3 corner2{10.0f, 10.0f, 10.0f};
};
NcBox& NcBoxCorners();

void ResetNcProgramState();

enum class NcResult { kWritten, kCancelled, kNoMemory };

// Samples the visible design, compensates for the tool and writes the program through post. The
// post's file is for the caller to commit or discard.
NcResult NcGenerate(const NcSettings& settings, CNcPost& post);

// The highest crossing of each cell under transform (row-vector form) into grid, where it is
// higher than the cell. Steps the progress window per row; false when the user cancelled.
// Throws std::bad_alloc from the engine.
bool SampleZGrid(float* grid, const Matrix4& transform, int columns, int rows);

// Writes the program to its file through a replacing file: false when nothing was written, the
// older file then as it was. Status texts and messages are shown here.
bool WriteNcProgram(const NcSettings& settings, const std::string& path);
