#pragma once

#include <string>
#include <vector>

#include "kernel/matrix4.h"
#include "modelling/rail_surface_build.h"
#include "platform/ui_services.h"
#include "scene/tool.h"

class CCurveObject;

inline constexpr int kRailSurfaceCommand = 8006;

// The rail arrangement, the kind of section and the extent picture of Surface > Rail. One
// dialog is kept for the run, so its choices persist.
class CRailSurfaceDlg : public DialogModel {
 public:
  static constexpr char kName[] = "Rail Surface";
  static constexpr int kPictures = 12;
  const char* DialogName() const override { return kName; }

  // After a click in the Rail or Section group: the picture follows the coupling rules.
  void OnRailOrSectionClicked() { picture = CoupleExtentPicture(railType, sectionType, picture); }
  static int CoupleExtentPicture(int railType, int sectionType, int picture);

  // 0 Vertical, 1 Horizontal, 2 Loop (world origin), 3 Loop (loop center), 4 Scale,
  // 5 Semi-scale, 6 3 Rails, 7 4 Rails.
  int railType = 4;
  int sectionType = kSingleSection;
  // 6 x column + 3 x half + row.
  int picture = 0;
};
extern CRailSurfaceDlg RailSurfaceDialog;

// Collects the rails, the sections and (for multiple sections) their positions on the rail,
// then builds the rail surface and returns to picking.
class CSurfaceTool : public CTool {
 public:
  explicit CSurfaceTool(const RailSetup& setup);

  int GetCursorId() const override { return kRailSurfaceCommand; }
  void OnLButtonDown(int flags, int x, int y) override;
  void OnLButtonUp(int flags, int x, int y) override;

  // What the tool asks for next; empty once it has all it needs.
  std::string NextPrompt() const;

  const RailSetup& Setup() const { return setup_; }
  const std::vector<CCurveObject*>& Curves() const { return curves_; }
  const std::vector<int>& PositionSteps() const { return steps_; }
  bool AwaitingPosition() const { return awaiting_; }

 private:
  int Picked() const { return static_cast<int>(curves_.size()); }
  void PickPosition(int x, int y);
  // Refused with its message, or stored.
  void PickCurve(int x, int y);

  RailSetup setup_;
  // The rails first, then the sections; the scene owns them.
  std::vector<CCurveObject*> curves_;
  // The rail point index at which the next section goes; -1 until multiple sections start.
  int position_ = -1;
  bool awaiting_ = false;
  // Built: the pick tool is on its way.
  bool finished_ = false;
  // The steps from one section's rail point to the next; grow with the picks, bounded by the
  // rail's point count as positions stop at its last point.
  std::vector<int> steps_;
  Matrix4 savedView_;
};

// Installs the rail tool with the first prompt.
void DoRailSurface(int railType, int column, int half, int row, int sectionType);
// Surface > Rail: the dialog, then the tool.
void OnRailSurface();
