#include "kernel/block_object.h"

#include <cmath>
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

// What one profile's children are built from: its points p, the wall profile e and where depths
// go.
struct ProfileGeometry {
  const Vector3* p;
  const Vector3* e;
  int n;
  int steps;
  int depthAxis;
  float depthSign;

  // Point i of the blend p + t (e - p) moved to the given depth.
  Vector3 At(int i, CBlockObject::PieceRow row) const {
    Vector3 v = row.t == 0.0f ? p[i] : row.t == 1.0f ? e[i] : Between(p[i], e[i], row.t);
    SetCoordinate(&v, depthAxis, row.depth * depthSign);
    return v;
  }
};

std::unique_ptr<CSurfaceObject> BuildSurface(const ProfileGeometry& f, const std::vector<CBlockObject::PieceRow>& rows) {
  auto surface = std::make_unique<CSurfaceObject>();
  std::vector<Vector3> grid;
  grid.reserve(rows.size() * static_cast<std::size_t>(f.n));
  for (const CBlockObject::PieceRow& row : rows) {
    for (int i = 0; i < f.n; ++i) grid.push_back(f.At(i, row));
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

std::unique_ptr<CCurveObject> BuildOutline(const ProfileGeometry& f, CBlockObject::PieceRow row) {
  auto curve = std::make_unique<CCurveObject>();
  std::vector<Vector3> points;
  points.reserve(static_cast<std::size_t>(f.n));
  for (int i = 0; i < f.n; ++i) points.push_back(f.At(i, row));
  curve->SetPoints(f.n, std::move(points));
  curve->closed = 1;
  curve->stepsPerSpan = f.steps;
  return curve;
}

// The radius the pieces are built with: none when both ends are flat or it is below 0.001.
float EffectiveRadius(const CBlockObject& block) {
  const bool flat = block.frontEndType == kBlockEndFlat && block.backEndType == kBlockEndFlat;
  return flat || std::fabs(block.radius) < kMinRadius ? 0.0f : block.radius;
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

bool CBlockObject::AxesFit() const { return AxesArePermutation(firstAxis, secondAxis, depthAxis); }

CBlockObject::Pieces CBlockObject::PieceRows() const {
  const float r = EffectiveRadius(*this);
  const float rf = frontEndType != kBlockEndFlat ? r : 0.0f;
  const float rb = backEndType != kBlockEndFlat ? r : 0.0f;
  Pieces pieces;
  pieces.backOutline = {backEndType != kBlockEndFlat ? 0.0f : 1.0f, 0.0f};
  if (rb != 0.0f && backEndType == kBlockEndRound) {
    pieces.back = {{0, 0}, {0.25f, 0}, {0.75f, 0.25f * rb}, {1, 0.75f * rb}, {1, rb}};
  } else if (rb != 0.0f && backEndType == kBlockEndChamfer) {
    pieces.back = {{0, 0}, {1, rb}};
  }
  if (std::fabs(thickness) > kMinThickness) pieces.wall = {{1, rb}, {1, rb + thickness}};
  const float front = rb + thickness;
  if (rf != 0.0f && frontEndType == kBlockEndRound) {
    pieces.front = {{1, front}, {1, front + 0.25f * rf}, {0.75f, front + 0.75f * rf}, {0.25f, front + rf}, {0, front + rf}};
  } else if (rf != 0.0f && frontEndType == kBlockEndChamfer) {
    pieces.front = {{1, front}, {0, front + rf}};
  }
  pieces.frontOutline = {frontEndType != kBlockEndFlat ? 0.0f : 1.0f, rb + rf + thickness};
  return pieces;
}

std::vector<Vector3> CBlockObject::WallProfile(const std::vector<Vector3>& points) const {
  const float r = EffectiveRadius(*this);
  if (r == 0.0f) return points;
  Matrix4 frame = kIdentityMatrix;
  SetMatrixRow(&frame, firstAxis, {1, 0, 0});
  SetMatrixRow(&frame, secondAxis, {0, 1, 0});
  SetMatrixRow(&frame, depthAxis, {0, 0, DepthSign()});
  return BuildSolidProfilePoints(points.data(), static_cast<int>(points.size()), 1, r, MatInverse(frame));
}

void CBlockObject::Rebuild() {
  // Called on a block that has children, it replaces them.
  MarkChanged();
  outlineCurves.Clear();
  surfaces.Clear();
  if (!AxesFit() || !ProfilesFitPoints()) return;

  radius = EffectiveRadius(*this);
  const Pieces pieces = PieceRows();
  std::size_t offset = 0;
  for (int profile = 0; profile < ProfileCount(); ++profile) {
    const auto n = static_cast<std::size_t>(profileSizes[static_cast<std::size_t>(profile)]);
    const std::vector<Vector3> p(profilePoints.begin() + static_cast<std::ptrdiff_t>(offset),
                                 profilePoints.begin() + static_cast<std::ptrdiff_t>(offset + n));
    offset += n;
    const std::vector<Vector3> e = WallProfile(p);
    const ProfileGeometry shape{p.data(), e.data(), static_cast<int>(n), profileSteps[static_cast<std::size_t>(profile)],
                                depthAxis, DepthSign()};
    for (const std::vector<PieceRow>* rows : {&pieces.wall, &pieces.back, &pieces.front}) {
      if (!rows->empty()) surfaces.Append(BuildSurface(shape, *rows));
    }
    outlineCurves.Append(BuildOutline(shape, pieces.backOutline));
    outlineCurves.Append(BuildOutline(shape, pieces.frontOutline));
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
