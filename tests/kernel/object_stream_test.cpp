#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "kernel/object_stream.h"
#include "program_state.h"
#include "scratch_file.h"

namespace {

class ObjectStreamTest : public LumidrexTest {};

TEST_F(ObjectStreamTest, ScrambledFieldLayout) {
  SetScrambledWrite(1);
  // The first draw of the program's rand is 41 (0x29): its low nibble leads. Each byte of the
  // field, last first, is XORed with its key byte and shifted one nibble through the output.
  EXPECT_EQ(CaptureWrite([] { WriteObjectInt32(0x04030201); }), (Bytes{0x9D, 0x32, 0x29, 0xC4, 0x4D}));
}

TEST_F(ObjectStreamTest, ScrambledWritesAddOneBytePerField) {
  SetScrambledWrite(1);
  EXPECT_EQ(CaptureWrite([] { WriteObjectInt32(7); }).size(), 5u);
  EXPECT_EQ(CaptureWrite([] { WriteCountedString("abc"); }).size(), 11u);
  EXPECT_EQ(CaptureWrite([] { WriteObjectMatrix(kIdentityMatrix); }).size(), 16u * 5u);
  SetScrambledWrite(0);
  EXPECT_EQ(CaptureWrite([] { WriteCountedString("abc"); }), (Bytes{3, 0, 0, 0, 'a', 'b', 'c'}));
}

TEST_F(ObjectStreamTest, ScramblingDrawsAFreshNumberPerField) {
  SetScrambledWrite(1);
  const Bytes first = CaptureWrite([] { WriteObjectInt32(0); });
  const Bytes second = CaptureWrite([] { WriteObjectInt32(0); });
  EXPECT_NE(first[0] >> 4, second[0] >> 4);
  EXPECT_EQ(Bytes(first.begin() + 1, first.end()), Bytes(second.begin() + 1, second.end()));
}

TEST_F(ObjectStreamTest, EmptyCountedStringIsFourZeroBytesAndReadsAsNone) {
  const Bytes written = CaptureWrite([] { WriteCountedString(""); });
  EXPECT_EQ(written, (Bytes{0, 0, 0, 0}));
  ScratchFile scratch(written);
  EXPECT_FALSE(ReadCountedString().has_value());
  EXPECT_FALSE(ObjectStreamFailed());
  EXPECT_EQ(scratch.Position(), 4);
}

TEST_F(ObjectStreamTest, CountedStringRoundTrip) {
  ScratchFile scratch;
  WriteCountedString("Platinum");
  WriteObjectInt32(-5);
  scratch.Contents();
  EXPECT_EQ(ReadCountedString(), "Platinum");
  EXPECT_EQ(ReadObjectInt32(), -5);
  EXPECT_FALSE(ObjectStreamFailed());
}

TEST_F(ObjectStreamTest, CountedStringLongerThanTheFileFailsCleanly) {
  for (const std::int32_t claimed : {std::numeric_limits<std::int32_t>::max(), 5}) {
    Bytes bytes;
    Append(&bytes, claimed);
    bytes.insert(bytes.end(), {'a', 'b', 'c'});
    ScratchFile scratch(bytes);
    EXPECT_FALSE(ReadCountedString().has_value()) << claimed;
    EXPECT_TRUE(ObjectStreamFailed());
    // Once failed, every later read fails too.
    EXPECT_EQ(ReadObjectInt32(), 0);
  }
}

TEST_F(ObjectStreamTest, ShortReadZeroFillsAndSticks) {
  ScratchFile scratch({0x11, 0x22});
  std::uint8_t buffer[4] = {0xAA, 0xAA, 0xAA, 0xAA};
  EXPECT_EQ(ReadObjectBytes(buffer, 4), 2u);
  EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{0x11, 0x22, 0, 0}));
  EXPECT_TRUE(ObjectStreamFailed());
  EXPECT_TRUE(ObjectStreamHasRoomFor(0, 1));
  EXPECT_FALSE(ObjectStreamHasRoomFor(1, 1));
}

TEST_F(ObjectStreamTest, RoomChecksAgainstWhatIsLeft) {
  ScratchFile scratch(Bytes(32, 0));
  ReadObjectInt32();
  EXPECT_EQ(ObjectStreamBytesLeft(), 28);
  EXPECT_TRUE(ObjectStreamHasRoomFor(7, 4));
  EXPECT_FALSE(ObjectStreamFailed());
  EXPECT_FALSE(ObjectStreamHasRoomFor(2, 16));
  EXPECT_TRUE(ObjectStreamFailed());
}

TEST_F(ObjectStreamTest, SetObjectStreamReturnsThePreviousStream) {
  ScratchFile outer;
  std::FILE* inner = std::tmpfile();
  EXPECT_EQ(SetObjectStream(inner), outer.file());
  EXPECT_EQ(SetObjectStream(outer.file()), inner);
  std::fclose(inner);
}

// A nested scope neither clears the outer stream's failure nor keeps its own, and writes plain
// inside a scrambled stream.
TEST_F(ObjectStreamTest, ANestedScopePutsTheWholeOuterStreamBack) {
  ScratchFile outer(Bytes(2, 0));
  ReadObjectInt32();  // short: the outer stream fails
  SetScrambledWrite(1);
  ASSERT_TRUE(ObjectStreamFailed());
  std::FILE* innerFile = std::tmpfile();
  {
    const ObjectStreamScope inner(innerFile);
    EXPECT_FALSE(ObjectStreamFailed());
    WriteObjectInt32(5);
    EXPECT_EQ(std::ftell(innerFile), 4);  // plain
    ReadObjectInt32();
    EXPECT_TRUE(ObjectStreamFailed());
  }
  std::fclose(innerFile);
  EXPECT_TRUE(ObjectStreamFailed());
  EXPECT_EQ(CaptureWrite([] { WriteObjectInt32(0); }).size(), 5u);  // still scrambled
}

}  // namespace
