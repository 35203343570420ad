#include "manufacturing/slc_raster_nc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/output_file.h"
#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"
#include "slc_fixtures.h"
#include "temp_dir.h"

namespace {

class SlcRasterNcTest : public LumidrexTest {
 protected:
  std::string Run(const SlcBytes& slices, float interval, int period) {
    const std::string slc = folder.Write("part.slc", slices.bytes);
    if (!SliceSetup(slc, nc, interval, period, 0.125f)) return "(nothing)";
    const std::vector<std::uint8_t> bytes = ReadWholeFile(nc);
    return {bytes.begin(), bytes.end()};
  }

  static SlcBytes Square() {
    SlcBytes slices;
    slices.Header("-SLCVER 2.0 -UNIT MM -EXTENTS 0,1,0,1,0,0.5 ");
    slices.Layer(0, {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}});
    slices.Terminator(0);
    return slices;
  }

  TempDir folder;
  const std::string nc = folder.File("part.nc");
};

TEST_F(SlcRasterNcTest, OneSquareLayerIsHatchedInFull) {
  EXPECT_EQ(Run(Square(), 0.25f, 1),
            "BOX 100 100 50\nHSL 125\n"
            "G02 0 0 0\nM00\nG01 0 100\n"
            "G01 25 100\nG01 25 0\n"
            "G01 50 0\nG01 50 100\n"
            "G01 75 100\nG01 75 0\n"
            "M01\nEON\n");
}

TEST_F(SlcRasterNcTest, SeparateRegionsAreJoinedOnlyByPositioningMoves) {
  SlcBytes slices;
  slices.Header("-SLCVER 2.0 -UNIT MM -EXTENTS 0,3,0,1,0,0.5 ");
  slices.Layer(0, {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}, {{2, 0}, {3, 0}, {3, 1}, {2, 1}}});
  slices.Terminator(0);
  EXPECT_EQ(Run(slices, 0.5f, 1),
            "BOX 300 100 50\nHSL 125\n"
            "G02 0 0 0\nM00\nG01 0 100\nG01 50 100\nG01 50 0\n"
            "M01\nG03 200 0\nM00\nG01 200 100\nG01 250 100\nG01 250 0\n"
            "M01\nEON\n");
}

// Five equal squares, a full hatch every fourth layer: the cutting moves of each layer.
TEST_F(SlcRasterNcTest, CoveredLayersAreOnlyOutlined) {
  SlcBytes slices;
  slices.Header("-SLCVER 2.0 -UNIT MM -EXTENTS 0,1,0,1,0,0.5 ");
  for (int layer = 0; layer < 5; ++layer) slices.Layer(0.1f * layer, {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}});
  slices.Terminator(0.5f);
  const std::string program = Run(slices, 0.25f, 4);
  std::vector<int> feeds;
  for (std::size_t at = 0; (at = program.find('\n', at)) != std::string::npos; ++at) {
    const std::string_view line(program.data() + at + 1, std::min<std::size_t>(3, program.size() - at - 1));
    if (line == "G02") feeds.push_back(0);
    if (line == "G01") ++feeds.back();
  }
  // Layer 1: outline (4) and the whole hatch (7), nothing below; 2 and 3: covered above and below,
  // outline only; 4 (the period) and 5 (the last): hatched in full, no outline.
  EXPECT_EQ(feeds, (std::vector<int>{11, 4, 4, 7, 7}));
  EXPECT_NE(program.find("\nG02 0 0 10\n"), std::string::npos);
}

TEST_F(SlcRasterNcTest, DamagedFilesAndBadSettingsWriteNothing) {
  const auto header = [](const std::string& text) {
    SlcBytes slices;
    slices.Header(text);
    return slices;
  };
  SlcBytes noTerminator = header("-EXTENTS 0,1,0,1,0,1");
  noTerminator.Layer(0, {{{0, 0}, {1, 0}, {1, 1}}});
  SlcBytes hugeCount = header("-EXTENTS 0,1,0,1,0,1");
  hugeCount.Floats({0}).U32(0x80000000u);
  SlcBytes noEnd;
  noEnd.Text("-EXTENTS 0,1,0,1,0,1 and no end mark");
  // "-extents" 3 bytes before the end of a 256-byte block.
  SlcBytes late = header(std::string(253, ' ') + "-extents 0,1,0,1,0,1");
  late.Terminator(0);
  SlcBytes noExtents = header("-SLCVER 2.0 -UNIT MM");
  noExtents.Terminator(0);
  SlcBytes nanExtents = header("-EXTENTS 0,nan,0,1,0,1");
  nanExtents.Terminator(0);
  const struct {
    const char* name;
    SlcBytes slices;
    float interval;
  } cases[] = {
      {"no terminator", noTerminator, 0.25f}, {"a boundary count of 2^31", hugeCount, 0.25f},
      {"no 0x1A", noEnd, 0.25f},              {"no extents", noExtents, 0.25f},
      {"non-finite extents", nanExtents, 0.25f}, {"interval 0", Square(), 0.0f},
      {"a raster of too many rows", Square(), 1e-7f},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    folder.Write("part.nc", std::string_view("older"));
    EXPECT_EQ(Run(c.slices, c.interval, 1), "(nothing)");
    const std::vector<std::uint8_t> bytes = ReadWholeFile(nc);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "older");
  }
  // A failed write keeps the older program and names the file in a message box.
  folder.Write("part.nc", std::string_view("older"));
  OutputFile::FailWritesAfter(20);
  EXPECT_EQ(Run(Square(), 0.25f, 1), "(nothing)");
  OutputFile::FailWritesAfter(-1);
  const std::vector<std::uint8_t> kept = ReadWholeFile(nc);
  EXPECT_EQ(std::string(kept.begin(), kept.end()), "older");
  ASSERT_FALSE(Headless().messages.empty());
  EXPECT_EQ(Headless().messages.back().text, "Cannot write to file!\n" + nc);
  // Extents that start 3 bytes before a block boundary are read whole.
  EXPECT_NE(Run(late, 0.25f, 1), "(nothing)");
}

}  // namespace
