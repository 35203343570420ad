#include "manufacturing/nc_passes.h"

#include <cmath>
#include <limits>

#include "manufacturing/nc_posts.h"

namespace {

// Above this the tool is clear of the stock top between runs.
constexpr double kSafeLift = 2.0;

double Quantise(double value, double quantum) { return std::floor(value / quantum + 0.5) * quantum; }

// The moves of one run of cut cells along a row. Between two cells the tool moves only straight
// up, down or across: a straight line from a low cell to a high one would take the tool through
// the wall between them. So on a rising step it rises first and then moves across, on a falling
// step it moves across and then descends, and each cell is still cut at its own height. Moves
// across at one height are merged into one.
class RunWriter {
 public:
  RunWriter(CNcPost& post, float y, float safeZ) : post_(post), y_(y), safeZ_(safeZ) {}

  void Start(double x, double z) {
    post_.RapidMode();
    Write(x, safeZ_);
    post_.FeedMode();
    Write(x, z);
    x_ = x;
    z_ = z;
  }

  void StepTo(double x, double z) {
    if (z > z_) Corner(x_, z);
    Corner(x, z > z_ ? z : z_);
    if (z < z_) Corner(x, z);
    x_ = x;
    z_ = z;
  }

  // The run's last point, written again when it is the first, then up to the safe height.
  void Finish() {
    if (pending_) {
      Write(pendingX_, pendingZ_);
    } else {
      Write(x_, z_);
    }
    pending_ = false;
    Write(x_, safeZ_);
  }

 private:
  // A point of the path; a point level with the one held and the one written before it replaces
  // the one held.
  void Corner(double x, double z) {
    if (pending_ && !(pendingZ_ == z && writtenZ_ == z)) Write(pendingX_, pendingZ_);
    pending_ = true;
    pendingX_ = x;
    pendingZ_ = z;
  }

  void Write(double x, double z) {
    post_.MoveTo(static_cast<float>(x), y_, static_cast<float>(z));
    writtenZ_ = z;
  }

  CNcPost& post_;
  float y_;
  float safeZ_;
  double x_ = 0.0;
  double z_ = 0.0;
  double writtenZ_ = 0.0;
  bool pending_ = false;
  double pendingX_ = 0.0;
  double pendingZ_ = 0.0;
};

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
    RunWriter run(post, y, safeZ);
    bool inRun = false;
    for (int i = 0; i <= last; ++i) {
      const int column = forward ? i : last - i;
      const float h = lift + cells[column];
      const bool cut = h < referenceZ;
      if (cut) {
        const double x = Quantise(static_cast<float>(column) * job.xStep + job.xOrigin, quantum);
        const double z = Quantise(h, quantum);
        if (inRun) {
          run.StepTo(x, z);
        } else {
          run.Start(x, z);
          inRun = true;
        }
      }
      if (inRun && (!cut || i == last)) {
        run.Finish();
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
