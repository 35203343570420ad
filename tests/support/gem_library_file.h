#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "kernel/gem_library.h"
#include "kernel/geom_object.h"
#include "kernel/object_list_file.h"
#include "kernel/object_stream.h"
#include "platform/file_handle.h"

// Writes the objects, in order, as a gem library file at path.
inline void WriteGemLibraryFile(const std::string& path,
                                std::vector<std::unique_ptr<CGeomObject>> objects) {
  for (std::size_t i = 1; i < objects.size(); ++i) objects[i - 1]->next = objects[i].get();
  const FileHandle file = OpenFile(path, "wb");
  ASSERT_NE(file, nullptr);
  const ObjectStreamScope stream(file.get());
  WriteObjectList(objects.empty() ? nullptr : objects.front().get());
}
