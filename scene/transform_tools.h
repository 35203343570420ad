#pragma once

#include <cstdint>
#include <string>

#include "scene/transform_tool.h"

inline constexpr int kMovingCommand = 5000;
inline constexpr int kSizingCommand = 5001;
inline constexpr int kFlippingCommand = 5002;
inline constexpr int kRollingCommand = 5003;
inline constexpr int kObjectAxisCommand = 5010;

class CMovingTool : public CTransformTool {
 public:
  int GetCursorId() const override { return kMovingCommand; }
  void BeginLeftDrag(int x, int y) override;
  void BeginRightDrag(int x, int y) override;
  void TrackPoint(int x, int y) override;
  void BuildStepMatrix() override;
  std::string FormatPrompt() override;

  Vector3 step;
  Vector3 total;
};

class CSizingTool : public CTransformTool {
 public:
  explicit CSizingTool(int kind) : dragKind(kind) {}
  int GetCursorId() const override { return kSizingCommand; }
  void BeginLeftDrag(int x, int y) override;
  void BeginRightDrag(int x, int y) override;
  void TrackPoint(int x, int y) override;
  void BuildStepMatrix() override;
  std::string FormatPrompt() override;

  // 1 uniform (left button), 2 along the drag's axis only (right button).
  std::int32_t dragKind;
  Vector3 currentFactors{1, 1, 1};
  Vector3 totalFactors{1, 1, 1};

 private:
  void BeginDrag(int kind, int x, int y);
};

class CFlippingTool : public CTransformTool {
 public:
  int GetCursorId() const override { return kFlippingCommand; }
  void BeginLeftDrag(int x, int y) override;
  void BeginRightDrag(int x, int y) override;
  void TrackPoint(int x, int y) override;
  void BuildStepMatrix() override;
  std::string FormatPrompt() override;

  std::int32_t promptAxis = -1;
  float stepAngle = 0;
  float totalAngle = 0;
};

class CRollingTool : public CTransformTool {
 public:
  int GetCursorId() const override { return kRollingCommand; }
  void BeginLeftDrag(int x, int y) override;
  void BeginRightDrag(int x, int y) override { BeginLeftDrag(x, y); }
  void TrackPoint(int x, int y) override;
  void BuildStepMatrix() override;
  std::string FormatPrompt() override;

  std::int32_t rollAxis = -1;
  std::int32_t rollKind = 0;
  float stepAngle = 0;
  float totalAngle = 0;
};

// type 1 Moving, 2 Sizing (uniform first), 3 Flipping, 4 Rolling, 5 Sizing (per axis first); the
// tool becomes the default tool. referenceKind 0 World Origin, 1 Object Origin, 2 Object Axis.
void StartTransformTool(int type, int referenceKind);

// The workers of Move, Size, Flip and Roll: the tool in the transform reference in force.
void OnMoving();
void OnSizing();
void OnFlipping();
void OnRolling();
