// One object record of the kind LUMIDREX_FUZZ_KIND, read as a design's object list reads it: the
// magic, the record start and the kind code are given, the input is the rest of the record. What
// the reader keeps must save again, or a design that opened could not be saved.
#include <cstdio>
#include <cstring>
#include <vector>

#include "fuzz_support.h"
#include "kernel/object_list_file.h"
#include "kernel/object_stream.h"
#include "platform/file_handle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  StartFuzzInput();
  std::vector<std::uint8_t> bytes(kDesignFileMagic, kDesignFileMagic + kDesignFileMagicBytes);
  bytes.push_back(':');
  const std::int32_t kind = LUMIDREX_FUZZ_KIND;
  bytes.resize(bytes.size() + sizeof kind);
  std::memcpy(bytes.data() + bytes.size() - sizeof kind, &kind, sizeof kind);
  bytes.insert(bytes.end(), data, data + size);
  const std::string path = WriteFuzzFile("record.lxd", bytes.data(), bytes.size());

  CGeomObject* list = nullptr;
  {
    const FileHandle file = OpenFile(path, "rb");
    if (file == nullptr) FuzzCheckFailed("cannot open the input file");
    const ObjectStreamScope stream(file.get());
    ReadObjectList(&list, 1);
  }
  {
    const FileHandle file(std::tmpfile());
    if (file == nullptr) FuzzCheckFailed("no temporary file");
    const ObjectStreamScope stream(file.get());
    WriteObjectList(list);
    if (ObjectStreamFailed()) FuzzCheckFailed("a record that reads does not write again");
  }
  while (list != nullptr) {
    CGeomObject* following = list->next;
    delete list;
    list = following;
  }
  return 0;
}
