#include "kernel/surface_object.h"

#include <typeinfo>
#include <utility>

#include "kernel/object_stream.h"

namespace {

// Bits of the record's 16-bit flags.
constexpr std::int16_t kRecordSurfaceFlag = 1;
constexpr std::int16_t kRecordPointsHidden = 2;

// Two 32-bit words a pair.
constexpr std::int64_t kExtraPairBytes = 8;

}  // namespace

std::unique_ptr<CGeomObject> CSurfaceObject::Clone() const {
  auto copy = std::make_unique<CSurfaceObject>();
  CopyPointSetFields(copy.get());
  copy->rows = rows;
  copy->columns = columns;
  copy->startAttributeU = startAttributeU;
  copy->startAttributeV = startAttributeV;
  copy->endAttributeU = endAttributeU;
  copy->endAttributeV = endAttributeV;
  copy->closedU = closedU;
  copy->closedV = closedV;
  copy->displayStepsU = displayStepsU;
  copy->displayStepsV = displayStepsV;
  copy->outputStepsU = outputStepsU;
  copy->outputStepsV = outputStepsV;
  copy->orientationSign = orientationSign;
  copy->surfaceFlag = surfaceFlag;
  copy->attachedData = attachedData;
  copy->extras = extras;
  return copy;
}

void CSurfaceObject::Read() {
  ReadPointSetRecord();
  rows = ReadObjectInt32();
  columns = ReadObjectInt32();
  startAttributeU = ReadObjectInt32();
  endAttributeU = ReadObjectInt32();
  closedU = ReadObjectInt32();
  displayStepsU = ReadObjectInt32();
  outputStepsU = ReadObjectInt32();
  startAttributeV = ReadObjectInt32();
  endAttributeV = ReadObjectInt32();
  closedV = ReadObjectInt32();
  displayStepsV = ReadObjectInt32();
  outputStepsV = ReadObjectInt32();
  orientationSign = ReadObjectInt32();
  const std::int16_t recordFlags = ReadObjectInt16();
  controlPointsHidden = (recordFlags & kRecordPointsHidden) ? 1 : 0;
  surfaceFlag = (recordFlags & kRecordSurfaceFlag) ? 1 : 0;

  // A negative count ends the list. At the end of the stream a count reads as 0 for ever, so the
  // stream's failure ends it too.
  extras.clear();
  for (std::int32_t count = ReadObjectInt32(); count >= 0 && !ObjectStreamFailed();
       count = ReadObjectInt32()) {
    SurfaceExtraRecord extra;
    extra.value = ReadObjectInt32();
    if (!ObjectStreamHasRoomFor(count, kExtraPairBytes)) break;
    extra.pairs.resize(static_cast<std::size_t>(count));
    for (auto& pair : extra.pairs) {
      pair[0] = static_cast<std::uint32_t>(ReadObjectInt32());
      pair[1] = static_cast<std::uint32_t>(ReadObjectInt32());
    }
    extras.push_back(std::move(extra));
  }

  // Tessellation and drawing index rows x columns points, so the grid must fit what was read.
  if (!GridFitsPoints()) ObjectState = kStateBadRecord;
  if (ObjectStreamFailed()) {
    ObjectState = kStateBadRecord;
    extras.clear();
  }
}

bool CSurfaceObject::GridFitsPoints() const {
  return rows >= 2 && columns >= 2 && std::int64_t{rows} * std::int64_t{columns} <= PointCount();
}

bool CSurfaceObject::SetGrid(int rowCount, int columnCount, std::vector<Vector3> gridPoints) {
  if (rowCount < 2 || columnCount < 2 ||
      std::int64_t{rowCount} * std::int64_t{columnCount} != static_cast<std::int64_t>(gridPoints.size())) {
    return false;
  }
  rows = rowCount;
  columns = columnCount;
  SetPoints(rowCount * columnCount, std::move(gridPoints));
  return true;
}

void CSurfaceObject::Write() {
  if (!GridFitsPoints()) {
    MarkObjectStreamFailed();
    return;
  }
  WritePointSetRecord();
  WriteObjectInt32(rows);
  WriteObjectInt32(columns);
  WriteObjectInt32(startAttributeU);
  WriteObjectInt32(endAttributeU);
  WriteObjectInt32(closedU);
  WriteObjectInt32(displayStepsU);
  WriteObjectInt32(outputStepsU);
  WriteObjectInt32(startAttributeV);
  WriteObjectInt32(endAttributeV);
  WriteObjectInt32(closedV);
  WriteObjectInt32(displayStepsV);
  WriteObjectInt32(outputStepsV);
  WriteObjectInt32(orientationSign);
  WriteObjectInt16(static_cast<std::int16_t>((controlPointsHidden != 0 ? kRecordPointsHidden : 0) |
                                             (surfaceFlag != 0 ? kRecordSurfaceFlag : 0)));
  WriteObjectInt32(-1);
}

void CSurfaceObject::Swap(CGeomObject& other) {
  if (typeid(*this) != typeid(other)) return;
  auto& surface = static_cast<CSurfaceObject&>(other);
  SwapPointSetFields(surface);
  std::swap(rows, surface.rows);
  std::swap(columns, surface.columns);
  std::swap(startAttributeU, surface.startAttributeU);
  std::swap(startAttributeV, surface.startAttributeV);
  std::swap(endAttributeU, surface.endAttributeU);
  std::swap(endAttributeV, surface.endAttributeV);
  std::swap(closedU, surface.closedU);
  std::swap(closedV, surface.closedV);
  std::swap(displayStepsU, surface.displayStepsU);
  std::swap(displayStepsV, surface.displayStepsV);
  std::swap(outputStepsU, surface.outputStepsU);
  std::swap(outputStepsV, surface.outputStepsV);
  std::swap(orientationSign, surface.orientationSign);
  std::swap(surfaceFlag, surface.surfaceFlag);
  std::swap(attachedData, surface.attachedData);
  std::swap(extras, surface.extras);
}
