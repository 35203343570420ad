#include "kernel/object_list_file.h"

#include <memory>
#include <vector>

#include "kernel/object_kind_registry.h"
#include "kernel/object_stream.h"

namespace {

constexpr unsigned char kRecordStart = ':';
constexpr unsigned char kAltRecordStart = '%';
constexpr unsigned char kEndByte = '#';
constexpr unsigned char kAltEndByte = 0xFF;
// Objects in these states are not read back: removed curves and temporary marks.
constexpr std::int32_t kFirstDroppedState = 4;

bool MagicMatches() {
  for (std::size_t i = 0; i < kDesignFileMagicBytes; ++i) {
    char c = 0;
    // A magic cut short reads as zero bytes, which never match.
    ReadObjectBytes(&c, 1);
    if (c != kDesignFileMagic[i]) return false;
  }
  return true;
}

}  // namespace

int ReadObjectList(CGeomObject** list, int withMagic, int* unread) {
  *list = nullptr;
  if (unread != nullptr) *unread = 0;
  if (withMagic != 0 && !MagicMatches()) return -1;

  std::vector<std::unique_ptr<CGeomObject>> kept;
  int lost = 0;
  bool lastRecordLost = false;
  // Every pass consumes at least one byte, and the end of the input ends the list.
  for (;;) {
    unsigned char c = 0;
    if (ReadObjectBytes(&c, 1) == 0) {
      // Cut between records: what followed is lost, though not how much of it.
      if (!lastRecordLost) ++lost;
      break;
    }
    if (c == kEndByte || c == kAltEndByte) break;
    if (c != kRecordStart && c != kAltRecordStart) continue;  // stray byte between records
    // An unknown kind code yields nothing and the scan goes on after it; a record that fails
    // comes back as a bad record and is kept as a deleted object.
    std::unique_ptr<CGeomObject> object = ReadObject();
    lastRecordLost = object == nullptr || object->ObjectState == kStateBadRecord;
    if (lastRecordLost) ++lost;
    if (object == nullptr) continue;
    if (object->ObjectState >= kFirstDroppedState || object->layer < 0) continue;
    kept.push_back(std::move(object));
  }
  if (unread != nullptr) *unread = lost;

  CGeomObject** link = list;
  for (std::unique_ptr<CGeomObject>& object : kept) {
    *link = object.release();
    link = &(*link)->next;
  }
  *link = nullptr;
  return static_cast<int>(kept.size());
}

void WriteObjectList(CGeomObject* head) {
  WriteObjectBytes(kDesignFileMagic, kDesignFileMagicBytes);
  for (CGeomObject* object = head; object != nullptr; object = object->next) {
    if (object->ObjectState < 0 || !HasObjectRecord(*object)) continue;
    WriteObjectBytes(&kRecordStart, 1);
    object->Write();
  }
  WriteObjectBytes(&kEndByte, 1);
}
