#pragma once

#include <memory>
#include <vector>

#include "kernel/geom_object.h"
#include "kernel/surface_object.h"
#include "modelling/mapping_items.h"
#include "modelling/mapping_trees.h"

// What one mapping run collects and owns. Its destructor is the clean exit: a run that stops
// part-way puts every collected anchor and saved frame back and frees what it made, so no object
// is left in frame coordinates.
class MappingRun {
 public:
  struct Options {
    bool inFrame = true;        // projection: anchors enter the frame F; UV: world terms
    bool keepSections = false;  // projection: a selected surface moves by rigid sections
    bool twoRanges = false;     // sweep and cross ranges or the sweep range only
    int undoType = 3;
    // The group the target was picked in: it takes no part.
    CGeomObject* skipGroup = nullptr;
  };
  explicit MappingRun(const Options& options) : options_(options) {}
  // Chooses how the next CollectScene collects.
  void SetCollection(bool inFrame, bool twoRanges, int undoType) {
    options_.inFrame = inFrame;
    options_.twoRanges = twoRanges;
    options_.undoType = undoType;
  }
  ~MappingRun();
  MappingRun(const MappingRun&) = delete;
  MappingRun& operator=(const MappingRun&) = delete;

  // Visits every shown or selected object on a visible layer but the target.
  void CollectScene(const CGeomObject* target);

  bool empty() const { return head_ == nullptr; }
  // The ranges of the collected local positions; they start empty (lo = +1e10, hi = -1e10).
  float lo = 1e10f, hi = -1e10f, crossLo = 1e10f, crossHi = -1e10f;

  // The items pass from the run's list to its tree.
  void MakeAxisTree();
  void MakeQuadTree();
  std::unique_ptr<AxisTreeNode> axisTree;
  std::unique_ptr<QuadTree> quadTree;
  // The items stay with the run (UV mapping places them without a tree).
  CPointBatch* items() const { return head_; }

  // Moves each rigid object by the change of its orientation frame, frees the tree (each item's
  // run through its rotation) and completes the run.
  void Finish();

 private:
  void Collect(CGeomObject* object, int state, CGeomObject* undoOwner);
  void CollectSections(CSurfaceObject* surface, CGeomObject* undoOwner);
  // Null when the anchor has a non-finite coordinate in the frame: it is not collected.
  CPointBatch* AddItem(MappingAnchor anchor, Matrix4* frame, CGeomObject* owner, bool widen);
  // The item is the pool's newest; a rejected one leaves the pool.
  CPointBatch* AddItem(CPointBatch* item, Matrix4* frame, CGeomObject* owner, bool widen);
  void RecordOnce(CGeomObject* undoOwner, CGeomObject* object);

  Options options_;
  CPointBatch* head_ = nullptr;
  CPointBatch** tail_ = &head_;
  // Every collected item, at a fixed address for the lists and trees that point at it, and for
  // the clean exit.
  CPointBatchPool pool_;
  std::vector<std::unique_ptr<SavedFrameRecord>> frames_;
  std::vector<CGeomObject*> recorded_;
  std::vector<CGeomObject*> changed_;
  bool finished_ = false;
};

// The collections of the two commands: projection items enter the frame (undo type 3), UV items
// stay in world terms (undo type 2); the 2D forms keep the cross range as well.
void CollectProjectionItems(MappingRun* run, const CGeomObject* target);
void CollectProjectionItems2D(MappingRun* run, const CGeomObject* target);
void CollectUvItems(MappingRun* run, const CGeomObject* target);
void CollectUvItems2D(MappingRun* run, const CGeomObject* target);
