#include "manufacturing/nc_passes.h"

#include <cmath>
#include <limits>

#include "manufacturing/nc_posts.h"

namespace {

// Above this the tool is clear of the stock top between runs.
constexpr double kSafeLift = 2.0;
// Cells off the line through the last written point and the previous cell by less than this
// (in the cross product of the two steps) are merged into the line.
constexpr double kMergeTolerance = 0.001;

double Quantise(double value, double quantum) { return std::floor(value / quantum + 0.5) * quantum; }

}  // namespace

void NcWriteRasterPass(const NcJob& job, int rowStep, float lift, float referenceZ, bool toAndFro) {
  CNcPost& post = *job.post;
  const double quantum = job.quantum;
  const auto safeZ = static_cast<float>(referenceZ + kSafeLift);
  bool forward = true;
  for (long long row = 0; row < job.rows; row += rowStep) {
    const auto y = static_cast<float>(Quantise(static_cast<float>(row) * job.yStep + job.yOrigin, quantum));
    const float* const cells = job.grid.data() + row * job.columns;
    const int last = job.columns - 1;
    const double sx = forward ? job.xStep : -job.xStep;
    bool inRun = false;
    double x = 0.0;
    double z = 0.0;
    for (int i = 0; i <= last; ++i) {
      const int column = forward ? i : last - i;
      const float h = lift + cells[column];
      const bool cut = h < referenceZ;
      if (cut && !inRun) {
        inRun = true;
        x = Quantise(static_cast<float>(column) * job.xStep + job.xOrigin, quantum);
        post.RapidMode();
        post.MoveTo(static_cast<float>(x), y, safeZ);
        z = Quantise(h, quantum);
        post.FeedMode();
        post.MoveTo(static_cast<float>(x), y, static_cast<float>(z));
      } else if (cut) {
        const double lx = post.x;
        const double lz = post.z;
        if (std::fabs((lx - x) * (static_cast<double>(h) - z) - (lz - z) * sx) > kMergeTolerance) {
          post.MoveTo(static_cast<float>(x), y, static_cast<float>(z));
        }
        x = Quantise(static_cast<float>(column) * job.xStep + job.xOrigin, quantum);
        z = Quantise(h, quantum);
      }
      if (inRun && (!cut || i == last)) {
        post.MoveTo(static_cast<float>(x), y, static_cast<float>(z));
        post.MoveTo(static_cast<float>(x), y, safeZ);
        inRun = false;
      }
    }
    if (toAndFro) forward = !forward;
  }
}

void NcWritePasses(const NcJob& job, float referenceZ) {
  CNcPost& post = *job.post;
  // A position no move reaches, so the first move writes every axis. One step from the origin
  // would not do: with steps of 1 the first cut can lie there, and the machine would then plunge
  // wherever it happened to stand.
  post.x = post.y = post.z = std::numeric_limits<float>::max();
  post.BeginProgram();
  if (job.roughing) {
    // In double: a tall box over a fine step-down gives more passes than int holds.
    const double depth = static_cast<double>(job.zMax) - job.zMin - job.allowance - job.extraAllowance;
    const double passes = std::ceil(depth / job.stepDown) - 1.0;
    for (double n = passes; n >= 1.0; n -= 1.0) {
      NcWriteRasterPass(job, job.roughingRowStep, static_cast<float>(n) * job.stepDown, referenceZ, job.toAndFro);
    }
    NcWriteRasterPass(job, job.roughingRowStep, job.allowance, referenceZ, job.toAndFro);
  }
  if (job.fine) NcWriteRasterPass(job, 1, 0.0f, referenceZ, job.toAndFro);
  post.EndProgram();
}
