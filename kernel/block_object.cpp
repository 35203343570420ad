#include "kernel/block_object.h"

#include <cmath>
#include <initializer_list>
#include <typeinfo>
#include <utility>

#include "kernel/bounds_box.h"
#include "kernel/curve_object.h"
#include "kernel/object_stream.h"
#include "kernel/solid_profile_points.h"
#include "kernel/surface_object.h"

namespace {

constexpr float kMinRadius = 0.001f;
constexpr float kMinThickness = 0.001f;
// Steps across a 5-row end piece; 2-row pieces are drawn as their control rows.
constexpr int kRoundDisplaySteps = 4;
constexpr std::int64_t kProfileHeaderBytes = 8;
constexpr std::int64_t kProfilePointBytes = 12;

bool AxesArePermutation(int first, int second, int depth) {
  const auto valid = [](int axis) { return axis >= 0 && axis <= 2; };
  return valid(first) && valid(second) && valid(depth) && first != second && first != depth &&
         second != depth;
}

void SetCoordinate(Vector3* v, int axis, float value) {
  (axis == 0 ? v->x : axis == 1 ? v->y : v->z) = value;
}

// p + t (e - p)
Vector3 Between(Vector3 p, Vector3 e, float t) { return VecAdd(p, VecScale(VecSub(e, p), t)); }

// What one profile's children are built from: its points p, the wall profile e (p moved out by
// the radius within the profile plane) and where depths go.
struct ProfileGeometry {
  const Vector3* p;
  const Vector3* e;
  int n;
  int steps;
  int depthAxis;
  float depthSign;

  // Point i of the blend p + t (e - p) moved to the given depth.
  Vector3 At(int i, float t, float depth) const {
    Vector3 v = t == 0.0f ? p[i] : t == 1.0f ? e[i] : Between(p[i], e[i], t);
    SetCoordinate(&v, depthAxis, depth * depthSign);
    return v;
  }
};

// One control row of an end piece or wall: the blend t between p and e at a depth.
struct GridRow {
  float t;
  float depth;
};

std::unique_ptr<CSurfaceObject> BuildSurface(const ProfileGeometry& f,
                                             std::initializer_list<GridRow> rows) {
  auto surface = std::make_unique<CSurfaceObject>();
  std::vector<Vector3> grid;
  grid.reserve(rows.size() * static_cast<std::size_t>(f.n));
  for (const GridRow& row : rows) {
    for (int i = 0; i < f.n; ++i) grid.push_back(f.At(i, row.t, row.depth));
  }
  const int count = static_cast<int>(grid.size());
  surface->SetPoints(count, std::move(grid));
  surface->rows = static_cast<std::int32_t>(rows.size());
  surface->columns = f.n;
  surface->closedV = 1;
  surface->displayStepsV = f.steps;
  surface->displayStepsU = rows.size() == 2 ? 0 : kRoundDisplaySteps;
  surface->orientationSign = -1;
  return surface;
}

std::unique_ptr<CCurveObject> BuildOutline(const ProfileGeometry& f, float t, float depth) {
  auto curve = std::make_unique<CCurveObject>();
  std::vector<Vector3> points;
  points.reserve(static_cast<std::size_t>(f.n));
  for (int i = 0; i < f.n; ++i) points.push_back(f.At(i, t, depth));
  curve->SetPoints(f.n, std::move(points));
  curve->closed = 1;
  curve->stepsPerSpan = f.steps;
  return curve;
}

}  // namespace

bool CBlockObject::ProfilesFitPoints() const {
  if (profileSteps.size() != profileSizes.size()) return false;
  std::int64_t total = 0;
  for (const std::int32_t size : profileSizes) {
    if (size < 0) return false;
    total += size;
  }
  return total == static_cast<std::int64_t>(profilePoints.size());
}

void CBlockObject::Rebuild() {
  // Called on a block that has children, it replaces them.
  MarkChanged();
  outlineCurves.Clear();
  surfaces.Clear();
  if (!AxesArePermutation(firstAxis, secondAxis, depthAxis) || !ProfilesFitPoints()) return;

  if ((frontEndType == kBlockEndFlat && backEndType == kBlockEndFlat) ||
      std::fabs(radius) < kMinRadius) {
    radius = 0.0f;
  }
  const float rf = frontEndType != kBlockEndFlat ? radius : 0.0f;
  const float rb = backEndType != kBlockEndFlat ? radius : 0.0f;
  const float g = depthAxis == 1 ? -1.0f : 1.0f;

  Matrix4 frame = kIdentityMatrix;
  SetMatrixRow(&frame, firstAxis, {1, 0, 0});
  SetMatrixRow(&frame, secondAxis, {0, 1, 0});
  SetMatrixRow(&frame, depthAxis, {0, 0, g});
  frame = MatInverse(frame);

  std::size_t offset = 0;
  for (int profile = 0; profile < ProfileCount(); ++profile) {
    const int n = profileSizes[static_cast<std::size_t>(profile)];
    const Vector3* p = profilePoints.data() + offset;
    offset += static_cast<std::size_t>(n);
    std::vector<Vector3> moved;
    if (radius != 0.0f) moved = BuildSolidProfilePoints(p, n, 1, radius, frame);
    const Vector3* e = radius != 0.0f ? moved.data() : p;
    const int steps = profileSteps[static_cast<std::size_t>(profile)];
    const ProfileGeometry shape{p, e, n, steps, depthAxis, g};

    if (std::fabs(thickness) > kMinThickness) {
      surfaces.Append(BuildSurface(shape, {{1, rb}, {1, rb + thickness}}));
    }
    if (rb != 0.0f && backEndType == kBlockEndRound) {
      surfaces.Append(
          BuildSurface(shape, {{0, 0}, {0.25f, 0}, {0.75f, 0.25f * rb}, {1, 0.75f * rb}, {1, rb}}));
    } else if (rb != 0.0f && backEndType == kBlockEndChamfer) {
      surfaces.Append(BuildSurface(shape, {{0, 0}, {1, rb}}));
    }
    const float front = rb + thickness;
    if (rf != 0.0f && frontEndType == kBlockEndRound) {
      surfaces.Append(BuildSurface(shape, {{1, front},
                                           {1, front + 0.25f * rf},
                                           {0.75f, front + 0.75f * rf},
                                           {0.25f, front + rf},
                                           {0, front + rf}}));
    } else if (rf != 0.0f && frontEndType == kBlockEndChamfer) {
      surfaces.Append(BuildSurface(shape, {{1, front}, {0, front + rf}}));
    }

    outlineCurves.Append(BuildOutline(shape, backEndType != kBlockEndFlat ? 0.0f : 1.0f, 0.0f));
    outlineCurves.Append(
        BuildOutline(shape, frontEndType != kBlockEndFlat ? 0.0f : 1.0f, rb + rf + thickness));
  }
}

std::unique_ptr<CGeomObject> CBlockObject::Clone() const {
  auto copy = std::make_unique<CBlockObject>();
  CopyCompositeFields(copy.get());
  copy->profilePoints = profilePoints;
  copy->profileSizes = profileSizes;
  copy->profileSteps = profileSteps;
  copy->firstAxis = firstAxis;
  copy->secondAxis = secondAxis;
  copy->depthAxis = depthAxis;
  copy->frontEndType = frontEndType;
  copy->backEndType = backEndType;
  copy->thickness = thickness;
  copy->radius = radius;
  outlineCurves.CloneInto(&copy->outlineCurves);
  surfaces.CloneInto(&copy->surfaces);
  return copy;
}

void CBlockObject::GetBounds(Vector3* min, Vector3* max, Matrix4 M) const {
  const Matrix4 C = MatMultiply(placement, M);
  ResetBounds(min, max);
  for (const CGeomObject* surface = surfaces.head(); surface != nullptr; surface = surface->next) {
    Vector3 low, high;
    surface->GetBounds(&low, &high, C);
    WidenBounds(min, max, low, high);
  }
}

void CBlockObject::Swap(CGeomObject& other) {
  if (typeid(*this) != typeid(other)) return;
  auto& block = static_cast<CBlockObject&>(other);
  SwapCompositeFields(block);
  outlineCurves.swap(block.outlineCurves);
  surfaces.swap(block.surfaces);
  std::swap(profilePoints, block.profilePoints);
  std::swap(profileSizes, block.profileSizes);
  std::swap(profileSteps, block.profileSteps);
  std::swap(firstAxis, block.firstAxis);
  std::swap(secondAxis, block.secondAxis);
  std::swap(depthAxis, block.depthAxis);
  std::swap(frontEndType, block.frontEndType);
  std::swap(backEndType, block.backEndType);
  std::swap(thickness, block.thickness);
  std::swap(radius, block.radius);
}

void CBlockObject::SetProfiles(const std::vector<Profile>& profiles) {
  MarkChanged();
  profilePoints.clear();
  profileSizes.clear();
  profileSteps.clear();
  for (const Profile& profile : profiles) {
    profilePoints.insert(profilePoints.end(), profile.points.begin(), profile.points.end());
    profileSizes.push_back(static_cast<std::int32_t>(profile.points.size()));
    profileSteps.push_back(profile.steps);
  }
}

void CBlockObject::Write() {
  if (!ProfilesFitPoints()) {
    MarkObjectStreamFailed();
    return;
  }
  WriteCompositeRecord();
  WriteObjectInt32(ProfileCount());
  WriteObjectInt32(firstAxis);
  WriteObjectInt32(secondAxis);
  WriteObjectInt32(depthAxis);
  WriteObjectInt32(frontEndType);
  WriteObjectInt32(backEndType);
  WriteObjectFloat(thickness);
  WriteObjectFloat(radius);
  for (int i = 0; i < ProfileCount(); ++i) {
    WriteObjectInt32(profileSizes[static_cast<std::size_t>(i)]);
    WriteObjectInt32(profileSteps[static_cast<std::size_t>(i)]);
  }
  for (const Vector3& p : profilePoints) {
    WriteObjectFloat(p.x);
    WriteObjectFloat(p.y);
    WriteObjectFloat(p.z);
  }
}

namespace {

// Reads the profile table and points. A negative count or size leaves the rest of the record
// unreadable, so the stream fails with it.
bool ReadProfiles(CBlockObject* block) {
  const std::int32_t count = ReadObjectInt32();
  block->firstAxis = ReadObjectInt32();
  block->secondAxis = ReadObjectInt32();
  block->depthAxis = ReadObjectInt32();
  block->frontEndType = ReadObjectInt32();
  block->backEndType = ReadObjectInt32();
  block->thickness = ReadObjectFloat();
  block->radius = ReadObjectFloat();
  if (ObjectStreamFailed()) return false;
  if (count < 0) {
    MarkObjectStreamFailed();
    return false;
  }
  if (!ObjectStreamHasRoomFor(count, kProfileHeaderBytes)) return false;
  block->profileSizes.resize(static_cast<std::size_t>(count));
  block->profileSteps.resize(static_cast<std::size_t>(count));
  std::int64_t pointCount = 0;
  for (std::size_t i = 0; i < block->profileSizes.size(); ++i) {
    block->profileSizes[i] = ReadObjectInt32();
    block->profileSteps[i] = ReadObjectInt32();
    if (block->profileSizes[i] < 0) {
      MarkObjectStreamFailed();
      return false;
    }
    pointCount += block->profileSizes[i];
  }
  if (!ObjectStreamHasRoomFor(pointCount, kProfilePointBytes)) return false;
  block->profilePoints.resize(static_cast<std::size_t>(pointCount));
  for (Vector3& p : block->profilePoints) {
    p.x = ReadObjectFloat();
    p.y = ReadObjectFloat();
    p.z = ReadObjectFloat();
  }
  return !ObjectStreamFailed();
}

}  // namespace

void CBlockObject::Read() {
  ReadCompositeRecord();
  profileSizes.clear();
  profileSteps.clear();
  profilePoints.clear();
  if (!ReadProfiles(this) || !AxesArePermutation(firstAxis, secondAxis, depthAxis)) {
    ObjectState = kStateBadRecord;
    profileSizes.clear();
    profileSteps.clear();
    profilePoints.clear();
    return;
  }
  Rebuild();
  // A mirroring placement turns the surfaces inside out.
  const std::int32_t orientation = MatDeterminant(placement, 4) < 0.0f ? 1 : -1;
  for (CGeomObject* surface = surfaces.head(); surface != nullptr; surface = surface->next) {
    static_cast<CSurfaceObject*>(surface)->orientationSign = orientation;
  }
}
