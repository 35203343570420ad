#pragma once

#include <string>
#include <vector>

class CGeomObject;

// One counted round jewel: its diameter in tolerance steps (a whole number kept as a double, so
// a huge placement cannot overflow) and its material name ("" for none).
struct RoundJewel {
  double steps;
  std::string material;
};

// The round jewels of the object: a round gem (library index 0 or 6) whose prototype resolves
// and whose first two axes agree at the tolerance; with descend, a group's members in order, of
// a subtraction only its body.
void CollectRoundJewel(const CGeomObject* object, float tolerance, int descend, std::vector<RoundJewel>& out);
// The tally text of the jewels on shown and selected objects of visible layers, one line per
// material and diameter; empty when there is none.
std::string RoundJewelTally(float tolerance, int descend);
// Shows the tally, or "No round jewel found!", in a message box.
void CountRoundJewels(float tolerance, int descend);
// Misc > Count Round Jewel.
void DoCountRoundJewel();
