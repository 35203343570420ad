#include "scene/design_file.h"

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string_view>

#include "kernel/object_kind_registry.h"
#include "kernel/object_list_file.h"
#include "kernel/object_stream.h"
#include "platform/file_handle.h"
#include "platform/replacing_file.h"
#include "scene/scene.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "services/file_names.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kNoObjectToInsertString = 10017;        // "Invalid file format or insert file ..."
constexpr char kInsertFilter[] = "Lumidrex Files (*.lxd)|*.lxd|All Files (*.*)|*.*|";

// A save writes and checks the design at most this often before it gives up.
constexpr int kSaveAttempts = 3;

constexpr char kViewerMagic[] = "LumidrexViewer0100";
constexpr unsigned char kViewerRecordStart[] = {'!', '^', ')'};
constexpr unsigned char kViewerEnd = '&';

// What ReadListFile gives for a file that does not open; -1 is a wrong magic.
constexpr int kFileDidNotOpen = -2;

// Reads the object list of the file at path.
int ReadListFile(const std::string& path, CGeomObject** list, int* unread = nullptr) {
  const FileHandle file = OpenFile(path, "rb", kDesignFileMagic);
  if (file == nullptr) return kFileDidNotOpen;
  const ObjectStreamScope stream(file.get());
  return ReadObjectList(list, 1, unread);
}

bool FirstByteIs(const std::string& path, char expected) {
  const FileHandle file = OpenFile(path, "rb");
  return file != nullptr && std::fgetc(file.get()) == static_cast<unsigned char>(expected);
}

// One write of the design into a new temporary file; null when any write failed.
std::unique_ptr<ReplacingFile> WriteDesign(const std::string& path) {
  std::unique_ptr<ReplacingFile> file = ReplacingFile::Open(path);
  if (file == nullptr) return nullptr;
  bool written;
  {
    ObjectStreamScope stream(file->file());
    WriteObjectList(TheScene.head);
    written = !ObjectStreamFailed();
  }
  if (!written || !file->Finish()) return nullptr;
  return file;
}

// Puts the finished temporary file in place of path, the old design staying under its name
// until then and kept as the backup.
bool ReplaceDesign(ReplacingFile* file, const std::string& path) {
  const std::string backup = access(path.c_str(), R_OK | W_OK) == 0 ? BackupName(path) : std::string();
  return backup.empty() ? file->ReplaceTarget() : file->ReplaceTargetKeeping(backup);
}

}  // namespace

int NewScene(CUndoHistory* history) {
  StoreDefaultTool(NewPickTool());
  DeleteObjectsUpTo(&TheScene.head, kEveryObjectState);
  // The tail always returns to the empty list, whichever viewport is active.
  TheScene.tailLink = TheScene.startLink = TheScene.iterationEnd = &TheScene.head;
  TheScene.pickedGroup = nullptr;
  if (history != nullptr) history->Clear();
  TheScene.nextObjectId = 0;
  return 1;
}

bool CheckDesignFile(const std::string& path) {
  const FileHandle file = OpenFile(path, "rb", kDesignFileMagic);
  if (file == nullptr) {
    ShowFileMessage(kCannotOpenMessage, path);
    return false;
  }
  char magic[kDesignFileMagicBytes] = {};
  if (std::fread(magic, 1, sizeof magic, file.get()) != sizeof magic ||
      std::string_view(magic, sizeof magic) != std::string_view(kDesignFileMagic, kDesignFileMagicBytes)) {
    ShowFileMessage(kInvalidFileFormatMessage, path);
    return false;
  }
  return true;
}

int OpenScene(CUndoHistory* history, const std::string& path, int* unread) {
  NewScene(history);
  CGeomObject* list = nullptr;
  const int count = ReadListFile(path, &list, unread);
  if (count == kFileDidNotOpen) {
    ShowFileMessage(kCannotOpenMessage, path);
    return 0;
  }
  if (count == -1) {
    ShowFileMessage(kInvalidFileFormatMessage, path);
    return 0;
  }
  // Numbered at once, whatever viewport is active, so ids and the tail are always right.
  TheScene.head = list;
  for (CGeomObject* object = list; object != nullptr; object = object->next) {
    object->id = TheScene.nextObjectId++;
    TheScene.tailLink = &object->next;
  }
  return 1;
}

std::string BackupName(const std::string& path) {
  std::string name = path;
  const std::size_t stop = path.size() >= 4 ? path.size() - 4 : 0;
  for (std::size_t i = path.size(); i-- > stop && path[i] != '/';) {
    if (path[i] == '.') {
      name.resize(i);
      break;
    }
  }
  name += ".bak";
  // A design named like its own backup gets none: the backup would be the design itself.
  return name == path ? std::string() : name;
}

int SaveScene(CUndoHistory* history, const std::string& path) {
  WaitCursor wait;
  for (int attempt = 0; attempt < kSaveAttempts; ++attempt) {
    std::unique_ptr<ReplacingFile> file = WriteDesign(path);
    if (file == nullptr) return 0;
    if (attempt == 0) StoreDefaultTool(NewPickTool());
    // The read-back check of the written file; a bad first byte writes it again.
    if (!FirstByteIs(file->temporaryPath(), kDesignFileMagic[0])) continue;
    if (!ReplaceDesign(file.get(), path)) return 0;
    if (history != nullptr) history->SetModified(0);
    return 1;
  }
  return 0;
}

void InsertDocumentFile(const std::string& path) {
  CGeomObject* list = nullptr;
  const int count = ReadListFile(path, &list);
  if (count == kFileDidNotOpen) {
    ShowFileMessage(kCannotOpenMessage, path);
    return;
  }
  if (count <= 0) {
    ShowFileMessage(kNoObjectToInsertString, path);
    return;
  }
  *TheScene.tailLink = list;
  for (CGeomObject* object = list; object != nullptr; object = object->next) {
    object->id = TheScene.nextObjectId++;
    TheScene.tailLink = &object->next;
    RecordUndo(object, kUndoAdded);
  }
  RedrawAllViews();
}

void OnInsertFile() {
  static int filterIndex = 1;
  const std::optional<std::string> path = FileDialogPrompt(1, &filterIndex, kInsertFilter, {}, {});
  if (!path) return;
  // The new pick tool begins a new undo step, so the whole insert is one step.
  ResetToPickTool();
  WaitCursor wait;
  InsertDocumentFile(*path);
}

int WriteViewerFile(CGeomObject* head, const std::string& path) {
  std::unique_ptr<ReplacingFile> file = ReplacingFile::Open(path);
  if (file == nullptr) return 0;
  WaitCursor wait;
  bool written;
  {
    ObjectStreamScope stream(file->file());
    SetScrambledWrite(1);
    // The magic is one field; every framing byte is a field of its own.
    WriteObjectBytes(kViewerMagic, sizeof kViewerMagic - 1);
    for (CGeomObject* object = head; object != nullptr; object = object->next) {
      if (object->ObjectState < 0 || !HasObjectRecord(*object)) continue;
      for (const unsigned char c : kViewerRecordStart) WriteObjectBytes(&c, 1);
      object->Write();
    }
    WriteObjectBytes(&kViewerEnd, 1);
    written = !ObjectStreamFailed();
  }
  return written && file->Finish() && file->ReplaceTarget() ? 1 : 0;
}
