// The outputs a workshop uses, made from the shipped sample designs and handed to their consumers:
// slice meshes to admesh, G-code to LinuxCNC's interpreter, tool positions to an independent
// collision check against the part's triangles.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "admesh_report.h"
#include "exchange/output_file.h"
#include "export_fixtures.h"
#include "exchange/visible_bounds.h"
#include "manufacturing/nc_program.h"
#include "manufacturing/rp_handoff.h"
#include "manufacturing/slc_reader.h"
#include "manufacturing/slc_to_mesh.h"
#include "manufacturing/slicer.h"
#include "manufacturing/volume_estimate.h"
#include "nc_interpreter.h"
#include "plane_section.h"
#include "platform/program_folder.h"
#include "scene/design_file.h"
#include "scene/scene.h"
#include "slice_scene.h"
#include "tool_gouge.h"

namespace {

constexpr const char* kSamples[] = {"Rings/Rings1/001", "Rings/Rings1/002", "Rings/Rings1/003",
                                    "Rings/Rings2/001", "Pendants/001",     "Earrings/001"};

class SampleOutputsTest : public DesignTest {
 protected:
  void Load(const char* sample) {
    ResetProgramState();
    DesignTest::SetUp();
    SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
    InsertDocumentFile(std::string(LUMIDREX_PROGRAM_FOLDER) + "database/" + sample + ".lxd");
    ASSERT_NE(TheScene.head, nullptr);
  }

  // The outer boundaries of a slice file: the counter-clockwise ones, each a solid of its slab.
  static int OuterBoundaries(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return -1;
    SlcReader reader(file);
    std::string header;
    float thickness = 0;
    int outer = 0;
    if (reader.ReadHeaderText(&header) && reader.ReadSamplingTable(&thickness)) {
      SlcLayer layer;
      while (reader.ReadLayer(&layer) == SlcReader::Record::kLayer) {
        for (const auto& ring : layer.boundaries) {
          double twice = 0;
          for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
            twice += double(ring[i].x) * ring[i + 1].y - double(ring[i + 1].x) * ring[i].y;
          }
          if (twice > 0) ++outer;
        }
      }
    }
    std::fclose(file);
    return outer;
  }

  // The layers of a slice file.
  static std::vector<SlcLayer> Layers(const std::string& path) {
    std::vector<SlcLayer> layers;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return layers;
    SlcReader reader(file);
    std::string header;
    float thickness = 0;
    SlcLayer layer;
    if (reader.ReadHeaderText(&header) && reader.ReadSamplingTable(&thickness)) {
      while (reader.ReadLayer(&layer) == SlcReader::Record::kLayer) layers.push_back(layer);
    }
    std::fclose(file);
    return layers;
  }

  TempDir folder;
};

// Every slab of a slice mesh is a closed solid of its own: admesh finds one part per outer
// boundary and nothing to mend, and the slabs of the rapid-prototyping hand-off's slicing hold the
// design's volume. Each slab stands on its bottom section, so thin round wires lose a share that
// grows with the layer: the earrings' wires lose 1.1 % at 0.1 mm layers, 0.7 % at 0.05.
TEST_F(SampleOutputsTest, SliceMeshesAreClosedSolidsOfTheDesignsVolume) {
  ASSERT_TRUE(AdmeshInstalled()) << kAdmeshMissing;
  for (const char* sample : kSamples) {
    SCOPED_TRACE(sample);
    Load(sample);
    const double volume = ComputeVolume(0.05f, 0);
    const std::string slices = folder.File("part.slc");
    const std::string mesh = folder.File("slices.stl");
    const float step = kExchangeSliceStep;
    ASSERT_EQ(WriteSlicesFile(slices, 0, step, step, 1, 1, 1, 1, 1, 0, 0, 0), 0);
    ASSERT_TRUE(ConvertSlcToMesh(slices, mesh, 1, 1, 0));
    const std::string report = RunAdmesh(mesh);
    const double parts = ReportValue(report, "Number of parts");
    EXPECT_EQ(ReportValue(report, "Degenerate facets"), 0) << report;
    EXPECT_EQ(parts, OuterBoundaries(slices)) << report;
    for (const char* zero : {"Edges fixed", "Facets reversed", "Backwards edges"}) {
      EXPECT_EQ(ReportValue(report, zero), 0) << zero << "\n" << report;
    }
    EXPECT_NEAR(ReportValue(report, "Volume"), volume, 0.01 * volume) << report;
    std::printf("%s: %d outer boundaries; slice mesh %g parts, %g edges fixed, %g facets reversed, volume %g of %g\n", sample, OuterBoundaries(slices), parts,
                ReportValue(report, "Edges fixed"), ReportValue(report, "Facets reversed"),
                ReportValue(report, "Volume"), volume);
  }
}

// Every layer of the samples reaches on every side as far as the section of the exported triangles
// at its height does on the slicer's columns, within a step of the whole section; long spans are
// stepped in float, so depths hold to a hundredth of a step. The channel ring is left out: its
// triangles include the channel cut out of it.
TEST_F(SampleOutputsTest, LayersReachTheSectionsOfTheTriangles) {
  for (const char* sample : kSamples) {
    if (std::string(sample) == "Rings/Rings1/003") continue;
    SCOPED_TRACE(sample);
    Load(sample);
    const std::vector<GougeTriangle> triangles = ExportedTriangles(TheScene.head, folder.File("part.stl"));
    const float r = 0.05f;
    const std::string slices = folder.File("part.slc");
    ASSERT_EQ(WriteSlicesFile(slices, 0, 0.1f, r, 1, 1, 1, 1, 1, 0, 0, 0), 0);
    Vector3 low, high;
    GetVisibleBounds(&low, &high);
    const SliceColumns grid{static_cast<float>(double(low.y) / double(r)),
                            static_cast<int>(std::ceil((double(high.y) - low.y) / double(r))), r};
    for (const SlcLayer& layer : Layers(slices)) {
      if (layer.boundaries.empty()) continue;
      SCOPED_TRACE(layer.z);
      // A layer holds its slab from the bottom: a flat face at its height is cut from above.
      const PlaneSection section = SectionOfTriangles(triangles.size(), [&](std::size_t t, int k) {
        const double* corner = k == 0 ? triangles[t].a : k == 1 ? triangles[t].b : triangles[t].c;
        return std::array<double, 3>{corner[0], corner[1], corner[2]};
      }, layer.z + 1e-5);
      ExpectLayerReachesSection(layer, section, grid, 0.002 * r, 0.01 * r, false);
    }
  }
}

// The finishing programs of every sample around its highest point, with a ball and a flat end,
// run by LinuxCNC's interpreter; and the tool along every feed move checked against the part's
// triangles. The channel ring is left out there: its triangles include the channel cut out of it.
TEST_F(SampleOutputsTest, ProgramsRunAndReachIntoThePartOnlyWhereTheGridMissesIt) {
  for (const char* sample : kSamples) {
    SCOPED_TRACE(sample);
    const bool solid = std::string(sample) != "Rings/Rings1/003";
    Load(sample);
    Vector3 low, high;
    GetVisibleBounds(&low, &high);
    const std::vector<GougeTriangle> triangles = ExportedTriangles(TheScene.head, folder.File("part.stl"));
    ASSERT_FALSE(triangles.empty());
    const GougeTriangle* highest = &triangles[0];
    for (const GougeTriangle& t : triangles) {
      if (t.a[2] > highest->a[2]) highest = &t;
    }
    for (const int tool : {0, 1}) {
      SCOPED_TRACE(tool == 0 ? "ball" : "flat");
      NcSettings settings;
      // A window of 5 mm around the highest point, where the settings and their walls are.
      const auto cx = static_cast<float>(highest->a[0]), cy = static_cast<float>(highest->a[1]);
      settings.corner1 = {cx - 2.5f, cy - 2.5f, low.z - 0.5f};
      settings.corner2 = {cx + 2.5f, cy + 2.5f, high.z + 0.5f};
      settings.passes = 2;
      settings.tool = tool;
      settings.xStep = settings.yStep = 0.1f;
      const std::string path = folder.File("part.nc");
      OutputFile file;
      ASSERT_TRUE(file.Open(path));
      NcRecordingPost post(file);
      ASSERT_EQ(NcGenerate(settings, post), NcResult::kWritten);
      ASSERT_TRUE(file.Commit());
      const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
      ExpectInterpreterFollows(std::string(bytes.begin(), bytes.end()), post.moves, folder.path());

      if (!solid) continue;
      // The tool takes in none of the points that vertical rays find on the exported triangles at
      // the grid's points, walls and edges on the grid's lines included; into what lies between
      // the grid's rows and columns it may reach.
      const std::vector<GougeTriangle> samples = GridSamples(triangles, settings);
      ToolGouge sampled(samples, tool == 0, settings.toolDiameter / 2);
      const ProgramReach grid = ReachAlongMoves(post.moves, sampled, settings);
      ToolGouge gouge(triangles, tool == 0, settings.toolDiameter / 2);
      const ProgramReach part = ReachAlongMoves(post.moves, gouge, settings);
      EXPECT_LE(grid.largest, 0.005);
      EXPECT_LE(part.largest, 2 * settings.xStep);
      std::printf("%s %s: largest gouge %.4f into the grid's samples, %.4f into the triangles\n", sample,
                  tool == 0 ? "ball" : "flat", grid.largest, part.largest);
    }
  }
}

}  // namespace
