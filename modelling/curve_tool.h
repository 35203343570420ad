#pragma once

#include <memory>
#include <span>
#include <vector>

#include "kernel/curve_object.h"
#include "kernel/matrix4.h"
#include "scene/tool.h"

// The drawing tool of the Curve menu. The user clicks free control points into the active view;
// the curve's points are built from them, each free point standing several times in the curve
// in the symmetric variants, so dragging one point moves all its copies. The tool also edits an
// existing curve the same way. The curve reaches the scene when the tool ends or a new curve
// begins.
class CCurveTool : public CTool {
 public:
  // Installed as the default tool (a new undo step when a view is active).
  explicit CCurveTool(int closedAtStart = 0);
  ~CCurveTool() override;

  int GetCursorId() const override { return kSimpleCurveCommand; }
  void OnLButtonDblClk(int flags, int x, int y) override;
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;
  void OnRButtonDblClk(int flags, int x, int y) override;
  void OnRButtonDown(int flags, int x, int y) override;
  void OnRButtonUp(int flags, int x, int y) override;
  void OnMouseMove(int flags, int x, int y) override;
  void DrawFeedback(int paneButtonBits) override;
  // Drawing and editing are recorded when the curve is finished, not step by step.
  void Undo() override {}
  void Redo() override {}
  void GetBounds(Vector3* min, Vector3* max) const override;

  // A null source starts a new curve; otherwise editing of that curve starts (it is marked
  // deleted in one undo step, and the edited copy takes its place when finished).
  void BeginCurve(CCurveObject* source);
  // Hands a curve with points to the scene through the tool's own viewport; one without is
  // dropped.
  void FinishCurve();

  // The next left press picks the curve to edit (the Adjust commands).
  bool pickCurveFirst = false;

  CCurveObject* WorkingCurve() const { return working_.get(); }
  int FreePointCount() const { return freeCount_; }

  static constexpr int kSimpleCurveCommand = 7000;

 protected:
  virtual int CopiesPerPoint() const { return 1; }
  // Reads the active view's axes the symmetry works in.
  virtual void SetUpSymmetry() {}
  // The free point and the copy that curve point i stands for.
  virtual void LocateCopy(int i);
  // Brings the located free point back from its copy's frame into copy 0.
  virtual void ApplySymmetry() {}
  // The working curve's points from the free points.
  virtual std::vector<Vector3> ControlPointsOf(const std::vector<Vector3>& free) const { return free; }

  int depthAxis_ = 2;
  int located_ = 0;
  int copy_ = 0;
  std::vector<Vector3> free_;
  int freeCount_ = 0;

 private:
  void WriteControlPoints();
  void ClickPoint(int x, int y, int mode);
  void Drag(int x, int y);
  void DeletePickedPoint();
  // Consecutive curve points from index on that equal value within 0.0001.
  int CountEqualFrom(int index, Vector3 value) const;

  std::unique_ptr<CCurveObject> working_;
  CCurveObject* source_ = nullptr;
  int closedAtStart_ = 0;
  int picked_ = -1;
  int multiplicity_ = 0;
};

// Vertical Mirror (type 0: mirrored across the screen-horizontal axis), Horizontal Mirror (1)
// and Revolve 180 (2: a half turn about the depth axis): each free point twice, the mirrored
// half running backwards.
class CMirrorCurveTool : public CCurveTool {
 public:
  explicit CMirrorCurveTool(int mirrorType) : mirrorType_(mirrorType) {}
  int GetCursorId() const override { return kSimpleCurveCommand + 1 + mirrorType_; }

 protected:
  int CopiesPerPoint() const override { return 2; }
  void SetUpSymmetry() override;
  void LocateCopy(int i) override;
  void ApplySymmetry() override;
  std::vector<Vector3> ControlPointsOf(const std::vector<Vector3>& free) const override;

 private:
  Vector3 Mirrored(Vector3 p) const;

  int mirrorType_;
  int mirrorAxis_ = 0;
};

// Cycle: each free point four times, mirrored across both screen axes; closed from the start.
class CCycleCurveTool : public CCurveTool {
 public:
  CCycleCurveTool() : CCurveTool(1) {}
  int GetCursorId() const override { return kSimpleCurveCommand + 4; }

 protected:
  int CopiesPerPoint() const override { return 4; }
  void SetUpSymmetry() override;
  void LocateCopy(int i) override;
  void ApplySymmetry() override;
  std::vector<Vector3> ControlPointsOf(const std::vector<Vector3>& free) const override;

 private:
  int verticalAxis_ = 1;
  int horizontalAxis_ = 0;
};

// Extend, Revolve and Transform: the free points, then k - 1 further blocks, each the block
// before moved by the step matrix. The dialog's matrix is in view terms (horizontal, vertical,
// depth) and is carried onto the world axes the active view shows.
// The world axes the active view shows along its horizontal, vertical and depth axes, with
// their signs.
struct ViewAxes {
  int axis[3] = {0, 1, 2};
  int sign[3] = {1, 1, 1};
};
ViewAxes ActiveViewAxes();
// A transform in view terms (rows and columns horizontal, vertical, depth) and in world terms;
// each undoes the other. The transform curve tool sets itself up through FromViewTerms.
Matrix4 FromViewTerms(const Matrix4& view, const ViewAxes& axes);
Matrix4 ToViewTerms(const Matrix4& world, const ViewAxes& axes);

class CTransformCurveTool : public CCurveTool {
 public:
  CTransformCurveTool(int commandId, int copies, const Matrix4& dialogMatrix, int closedAtStart);
  int GetCursorId() const override { return commandId_; }

 protected:
  int CopiesPerPoint() const override { return copies_; }
  void SetUpSymmetry() override;
  void LocateCopy(int i) override;
  void ApplySymmetry() override;
  std::vector<Vector3> ControlPointsOf(const std::vector<Vector3>& free) const override;

 private:
  int commandId_;
  int copies_;
  Matrix4 dialog_;
  Matrix4 step_;
  Matrix4 inverseStep_;
};

// The lowest index of the points whose marker the pixel (x, y) hits, 5 pixels around it; -1
// for none.
int PickControlPoint(std::span<const Vector3> points, int x, int y);
// The index of the control-polygon segment to insert a click before: the inner segment whose
// foot of the perpendicular lies strictly inside it, nearest and within 25 pixels, when no end
// (or a closed curve's closing segment) is nearer; else -1, and the click extends the curve.
int PickInsertSegment(std::span<const Vector3> points, int closed, int x, int y);

// True while a drawing tool lives (Curve > Close and Open act on its curve then).
bool CurveToolActive();
// The curve the live drawing tool builds or edits; null when none.
CCurveObject* CurveToolWorkingCurve();
