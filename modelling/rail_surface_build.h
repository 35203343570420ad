#pragma once

#include <array>
#include <vector>

#include "kernel/matrix4.h"

class CCurveObject;
class CSurfaceObject;

// Section kinds of a rail surface.
enum RailSectionType { kSingleSection = 0, kDualSection, kMirrorSection, kMultipleSections, kCircularSection };

// How a rail surface is swept: the rails and their mode, where the section's extent is anchored
// (the picture's column, half and row) and the kind of section.
struct RailSetup {
  int rails = 2;
  int mode = 1;
  int column = 0;
  int half = 0;
  int row = 0;
  int sectionType = kSingleSection;
};

// The setup of a rail type (0 Vertical ... 7 4 Rails) and the extent picture's column, half and
// row; 4 Rails anchors at row 0.
RailSetup RailSetupFor(int railType, int column, int half, int row, int sectionType);

// The swept surface: the rails (the first setup.rails curves) are removed, the sections (the
// rest) are normalised into their unit frame and placed between the rails. steps are the rail
// point steps between multiple sections; savedView the view matrix when the only rail was
// picked. The surface, added, or null.
CSurfaceObject* BuildRailSurface(const RailSetup& setup, const std::vector<CCurveObject*>& curves,
                                 const std::vector<int>& steps, const Matrix4& savedView);

// The frame the sections are read in: from the first section's normal, or the view's own plane
// for a section without area; the in-plane pair swapped for the right column.
std::array<int, 3> RailSectionAxes(const CCurveObject& section0, int column);

// The section rows before normalisation: R rows of the sections' point count, in their frame.
std::vector<Vector3> BlendSectionRows(int sectionType, int R, const std::vector<std::vector<Vector3>>& sections,
                                      const std::vector<int>& steps);
