#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "kernel/matrix4.h"
#include "kernel/vector3.h"
#include "scene/tool.h"

class CGeomObject;

// The eleven deformations, in the order of their commands (6000 + kind).
enum class DeformKind : std::int32_t {
  kBend,
  kBendTwoSides,
  kTaper,
  kTaperTwoSides,
  kScaledTaper,
  kScaledTaperTwoSides,
  kSkew,
  kSkewTwoSides,
  kTwist,
  kSkewTwist,
  kWhirl,
};
inline constexpr int kDeformKindCount = 11;
inline constexpr int kFirstDeformCommand = 6000;

// The deform axis A, the second in-plane axis B, the view's depth axis C and the orientation
// sign (+1 when A follows C).
struct DeformAxes {
  int a = 0;
  int b = 1;
  int c = 2;
  int sigma = 1;
};

// A rotation about axis c turning u = (c+1) mod 3 towards v = (c+2) mod 3, for row vectors.
Matrix4 MakeAxisRotationMatrix(double angle, int c);

// The closed-form mappings, in double precision, with float results; out keeps the coordinates a
// mapping does not name. k must not be 0.
void DeformPoint(DeformKind kind, const DeformAxes& axes, double k, const float p[3], float out[3]);
Matrix4 DeformFrame(DeformKind kind, const DeformAxes& axes, double k, const Matrix4& frame);
// The amount a drag of distance model units adds, at sensitivity 0.5 / grid unit.
double DeformAmount(DeformKind kind, double distance, double sensitivity);

// A mouse tool that deforms the selection (and picked control points of shown objects) by
// dragging. The snapshot keeps addresses into live point arrays and matrices: that holds because
// every command that reshapes, replaces or frees objects replaces the default tool first, and the
// replaced deform tool commits (and so stops using them) before that command's worker runs.
class CDeformTool : public CTool {
 public:
  ~CDeformTool() override;

  int GetCursorId() const override { return commandId; }
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  void OnMouseMove(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;
  void Undo() override;
  void Redo() override;

  virtual void ShowPrompt();
  virtual void MapPoint(float x, float y, float z, float* out);
  virtual void MapFrame(Matrix4 frame, Matrix4* out);
  virtual double AmountFromDrag(double distance, double sensitivity);
  virtual void GatherObject(CGeomObject* object, int selected, int frameIndex);
  virtual void ApplyDeformation();

  void SnapshotPoints();
  // Records the deformation as one undo step of the document; nothing when the amount is 0.
  void Commit();

  std::int32_t dragFlag = 0;
  std::int32_t axisLock = 0;
  std::int32_t axisA = -1;
  std::int32_t axisB = 0;
  std::int32_t axisC = 0;
  std::int32_t sigma = 1;
  std::int32_t currentDepthAxis = 0;
  Vector3 start;
  Vector3 delta;
  Vector3 lastDelta;
  float amount = 0.0f;
  float baseAmount = 0.0f;
  float redoAmount = 0.0f;

  struct PointEntry {
    Vector3 copy;
    Vector3* live;
  };
  struct FrameEntry {
    Matrix4 copy;
    Matrix4* live;
  };
  struct CarriedPoint {
    Vector3 copy;
    Vector3* live;
    int frame;
  };
  struct CarriedFrame {
    Matrix4 copy;
    Matrix4* live;
    int frame;
  };
  std::vector<PointEntry> deformedPoints;
  std::vector<FrameEntry> deformedFrames;
  std::vector<CarriedPoint> carriedPoints;
  std::vector<CarriedFrame> carriedFrames;

  DeformAxes Axes() const { return {axisA, axisB, axisC, sigma}; }

 protected:
  CDeformTool(int command, int statusWord);

  // The least amount the kind takes.
  float lowestAmount = -std::numeric_limits<float>::infinity();

 private:
  // Sets the amount and applies it; an amount whose mapping writes a non-finite value, or that
  // the kind does not take, is refused and the previous one applied again.
  void ApplyAmount(float candidate);
  void StoreFrame(Matrix4* frame, int carrier);

  int commandId;
  int statusWord_;
  // Objects whose geometry the snapshot reaches; they are marked changed after every apply.
  std::vector<CGeomObject*> touched_;
  // Set by an apply that met a non-finite result.
  bool nonFinite_ = false;
};

// One kind. The commit runs in this destructor, where the kind's mappings still dispatch.
template <DeformKind Kind>
class CDeformKindTool : public CDeformTool {
 public:
  CDeformKindTool();
  ~CDeformKindTool() override;
  void MapPoint(float x, float y, float z, float* out) override;
  void MapFrame(Matrix4 frame, Matrix4* out) override;
  double AmountFromDrag(double distance, double sensitivity) override;
};

class CBendTool final : public CDeformKindTool<DeformKind::kBend> {};
class CBendTwoSidesTool final : public CDeformKindTool<DeformKind::kBendTwoSides> {};
class CTaperTool final : public CDeformKindTool<DeformKind::kTaper> {};
class CTaperTwoSidesTool final : public CDeformKindTool<DeformKind::kTaperTwoSides> {};
class CScaledTaperTool final : public CDeformKindTool<DeformKind::kScaledTaper> {};
class CScaledTaperTwoSidesTool final : public CDeformKindTool<DeformKind::kScaledTaperTwoSides> {};
class CSkewTool final : public CDeformKindTool<DeformKind::kSkew> {};
class CSkewTwoSidesTool final : public CDeformKindTool<DeformKind::kSkewTwoSides> {};
class CTwistTool final : public CDeformKindTool<DeformKind::kTwist> {};
class CSkewTwistTool final : public CDeformKindTool<DeformKind::kSkewTwist> {};
class CWhirlTool final : public CDeformKindTool<DeformKind::kWhirl> {};

// Deform menu commands: each makes its tool the default tool (none without an active viewport).
void CreateBendTool();
void OnDeformBendTwoSides();
void OnDeformTaper();
void OnDeformTaperTwoSides();
void OnDeformScaledTaper();
void OnDeformScaledTaperTwoSides();
void OnDeformSkew();
void OnDeformSkewTwoSides();
void OnDeformTwist();
void OnDeformSkewTwist();
void OnDeformWhirl();
