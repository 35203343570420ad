#include "scene/frame_shading_arrays.h"

#include <memory>
#include <unordered_set>
#include <vector>

#include "kernel/frame_point_budget.h"
#include "platform/parallel_for.h"
#include "scene/gl_shading.h"
#include "scene/shading_arrays.h"

void PrepareShadingArrays(std::span<const CGeomObject* const> objects) {
  struct Job {
    const CGeomObject* part;
    bool flip;
    std::unique_ptr<ShadingArrays> arrays;
  };
  std::vector<Job> jobs;
  std::unordered_set<const CGeomObject*> seen;
  for (const CGeomObject* object : objects) {
    ForEachShadedPart(object, [&](const CGeomObject& part) {
      if (!seen.insert(&part).second) return;
      const bool flip = PartNormalsFlip(part);
      if (!KeepsFittingShadingArrays(part, flip)) jobs.push_back({&part, flip, nullptr});
    });
  }
  // Each job derives into its own arrays; the caches are set on this thread afterwards.
  const FrameBudgetMark mark = MarkFrameBudget();
  ParallelFor(jobs.size(), [&](std::size_t k) {
    jobs[k].arrays = DeriveShadingArrays(*jobs[k].part, jobs[k].flip);
  });
  if (RewindFrameBudgetIfShort(mark)) {
    for (Job& job : jobs) job.arrays = DeriveShadingArrays(*job.part, job.flip);
  }
  for (Job& job : jobs) job.part->drawingCache = std::move(job.arrays);
}
