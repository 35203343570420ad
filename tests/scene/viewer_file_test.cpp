#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "kernel/axis_line_object.h"
#include "kernel/object_stream.h"
#include "record_fixture.h"
#include "scene/design_file.h"
#include "scene_fixture.h"
#include "scratch_file.h"
#include "temp_dir.h"

namespace {

// The viewer's key: byte i of a field is XORed with entry i mod 8.
constexpr std::uint8_t kKey[8] = {0x4C, 0x9E, 0x21, 0xD7, 0x6A, 0x13, 0xB5, 0x38};

// Undoes the scrambled write, given the size of every field in the order written. A field of n
// bytes takes n + 1 on disk: its bytes last first, each shifted one nibble through the output.
Bytes Unscramble(const Bytes& disk, const std::vector<std::size_t>& fieldSizes) {
  Bytes plain;
  std::size_t at = 0;
  for (const std::size_t n : fieldSizes) {
    const std::uint8_t* out = &disk.at(at + n) - n;
    Bytes field(n);
    for (std::size_t j = 0; j < n; ++j) {
      const std::uint8_t c = j == 0 ? out[n] : static_cast<std::uint8_t>(((out[n - 1 - j] & 0x0F) << 4) | (out[n - j] >> 4));
      field[j] = c ^ kKey[j % 8];
    }
    plain.insert(plain.end(), field.begin(), field.end());
    at += n + 1;
  }
  EXPECT_EQ(at, disk.size());
  return plain;
}

// The fields of an axis line record with no material name.
std::vector<std::size_t> AxisLineFields() {
  std::vector<std::size_t> fields = {4, 4};     // kind, state and layer
  fields.insert(fields.end(), 16, 4);           // orientation
  fields.push_back(4);                          // flags word
  fields.insert(fields.end(), 16, 4);           // mapping frame
  fields.push_back(4);                          // name length 0
  fields.push_back(4);                          // axis
  return fields;
}

using ViewerFileTest = SceneTest;

TEST_F(ViewerFileTest, ShownObjectsAreWrittenScrambledInTheirFraming) {
  CAxisLineObject shown;
  shown.axisIndex = 1;
  shown.orientation[13] = 2.5f;
  CAxisLineObject deleted;
  deleted.ObjectState = -1;
  shown.next = &deleted;

  TempDir dir;
  const std::string path = dir.File("ring.lxv");
  ASSERT_EQ(WriteViewerFile(&shown, path), 1);
  const Bytes disk = ReadWholeFile(path);

  std::vector<std::size_t> fields = {18, 1, 1, 1};
  const std::vector<std::size_t> record = AxisLineFields();
  fields.insert(fields.end(), record.begin(), record.end());
  fields.push_back(1);
  // Every field takes one byte more: the magic 19, the framing 3 x 2 and 1 x 2, the record's 37
  // four-byte fields 185.
  EXPECT_EQ(disk.size(), 212u);

  const std::string magic = "LumidrexViewer0100";
  Bytes expected(magic.begin(), magic.end());
  for (const char c : {'!', '^', ')'}) expected.push_back(static_cast<std::uint8_t>(c));
  const Bytes plainRecord = AxisLineRecord(1, 2.5f);
  expected.insert(expected.end(), plainRecord.begin(), plainRecord.end());
  expected.push_back('&');
  EXPECT_EQ(Unscramble(disk, fields), expected);

  // Plain writing again afterwards.
  EXPECT_EQ(CaptureWrite([] { WriteObjectInt32(7); }).size(), 4u);
}

TEST_F(ViewerFileTest, UnwritablePathFailsAndLeavesWritingPlain) {
  CAxisLineObject line;
  EXPECT_EQ(WriteViewerFile(&line, "/nonexistent-folder/ring.lxv"), 0);
  EXPECT_EQ(CaptureWrite([] { WriteObjectInt32(7); }).size(), 4u);
}

}  // namespace
