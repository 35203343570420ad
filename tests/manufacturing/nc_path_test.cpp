#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "export_fixtures.h"
#include "kernel/axis_line_object.h"
#include "kernel/boolean_object.h"
#include "kernel/object_list_file.h"
#include "kernel/program_random.h"
#include "manufacturing/nc_path_object.h"
#include "manufacturing/nc_path_reader.h"
#include "program_state.h"
#include "scene/design_file.h"
#include "scene/tool_framework.h"
#include "scene_fixture.h"
#include "scratch_file.h"
#include "temp_dir.h"

namespace {

std::vector<Vector3> Parse(const std::string& text, float scale = 1.0f) {
  std::vector<Vector3> points;
  NcPathParser parser(scale, [&points](const Vector3& p) { points.push_back(p); });
  parser.Feed(text.data(), text.size());
  parser.Finish();
  return points;
}

using NcPathTest = LumidrexTest;

TEST_F(NcPathTest, LinesSetTheCoordinatesTheyGive) {
  const struct {
    std::string text;
    float scale;
    std::vector<Vector3> points;
  } cases[] = {
      {"X1 Y2 Z3\nZ-1\n", 2.0f, {{0.5f, 1, 1.5f}, {0.5f, 1, -0.5f}}},
      {"G90\nG00\nG01\nM03\n X1\n", 1.0f, {{1, 0, 0}}},
      {"(X5\n Y+2", 1.0f, {{0, 2, 0}}},
      {"G01 X1 (Y5)\n", 1.0f, {{1, 5, 0}}},
      // A Roland program without the header of one of the posts: its steps are unknown.
      {";;^IN;\nZ40,80,120;\n", 1.0f, {}},
      // Each post's dialect by its header: Micromaster moves, Roland steps absolute and relative.
      {"REM/ *** Micromaster CNC Program***\r\nMOV/RAP,1,2,3,\r\nMOV/FEED,4,-5,6e-1,\r\nMOV/FEED,1,2\r\n", 2.0f,
       {{0.5f, 1, 1.5f}, {2, -2.5f, 0.3f}}},
      {";;^IN;\n!MC1;\n^PR;\nV15.0;\nZ0,0,162.6;\n^PA;\nZ40,80,-120;Z4,8,12;\n^PR;Z40,40,40;H;Z1,1,1;", 1.0f,
       {{1, 2, -3}, {0.1f, 0.2f, 0.3f}, {1.1f, 1.2f, 1.3f}}},
      {";;^IN;\n!MC1;\nV85.0;\n^PR;\nZ0,0,10500;\n^PA;\nZ0,0,406;\nV15.0;\nZ150,-50,0;\n", 1.0f,
       {{0, 0, 4.06f}, {1.5f, -0.5f, 0}}},
      // A letter with no number adds the point as it is; so does a line of another dialect.
      {"X\nXY7\nREM/TE,** Press Return **\n", 1.0f, {{0, 0, 0}, {0, 7, 0}}},
      {"X1e999 Y1\nXnan\nX1e38\n", 1.0f, {{0, 1, 0}, {0, 1, 0}, {1e38f, 1, 0}}},
      // Within the float range, beyond it once divided by the scale.
      {"X3e38 Y4\n", 0.5f, {{0, 8, 0}}},
      {"X 1.5\tY\t-2\n", 1.0f, {{1.5f, -2, 0}}},
      {"X" + std::string(400, '9') + " Y3\n", 1.0f, {{0, 3, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(Parse(c.text, c.scale), c.points);
  }
  EXPECT_EQ(Parse("X1 Y2\r\nZ3\r\n"), Parse("X1 Y2\nZ3\n"));
}

TEST_F(NcPathTest, DamagedInputGivesWhatItsLettersGive) {
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919) & 0xFF));
  const std::vector<Vector3> points = Parse(garbage);
  for (const Vector3& p : points) EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
  EXPECT_EQ(Parse(std::string("X1\0Y2\n", 6)), (std::vector<Vector3>{{1, 2, 0}}));
  // One long line without a line end costs no memory and gives one point.
  std::string line(20 << 20, ' ');
  line[0] = 'Y';
  line[1] = '4';
  line[line.size() - 2] = 'X';
  line[line.size() - 1] = '2';
  EXPECT_EQ(Parse(line), (std::vector<Vector3>{{2, 4, 0}}));
}

class NcPathObjectTest : public LumidrexTest {
 protected:
  TempDir folder;
};

TEST_F(NcPathObjectTest, DrawingReadsTheFileAgainEachTime) {
  CNcPathObject path;
  path.fileName = folder.Write("p.nc", std::string_view("G00\r\n X1 Y-2 Z3\r\n Z-1\r\n"));
  path.scale = 0.5f;
  Vector3 min, max;
  path.GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_EQ(min, Vector3(1e30f, 1e30f, 1e30f));
  EXPECT_EQ(max, Vector3(-1e30f, -1e30f, -1e30f));

  path.Draw(CNcPathObject::kFastDrawMode);
  path.GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_EQ(min.x, 1e30f);

  path.Draw(0);
  path.GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_EQ(min, Vector3(2, -4, -2));
  EXPECT_EQ(max, Vector3(2, -4, 6));
  // A redraw of the unchanged file, then of the file rewritten under the same name.
  path.Draw(0);
  path.GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_EQ(min, Vector3(2, -4, -2));
  folder.Write("p.nc", std::string_view(" X3\n"));
  path.Draw(0);
  path.GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_EQ(min, Vector3(6, 0, 0));
  EXPECT_EQ(max, Vector3(6, 0, 0));

  std::remove(path.fileName.c_str());
  path.Draw(0);
  path.GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_EQ(min, Vector3(1e30f, 1e30f, 1e30f));
  EXPECT_EQ(max, Vector3(-1e30f, -1e30f, -1e30f));
}

TEST_F(NcPathObjectTest, ALongLineWithoutALineEndDrawsItsOnePoint) {
  std::string line(20 << 20, ' ');
  line[0] = 'Y';
  line[1] = '4';
  line[line.size() - 2] = 'X';
  line[line.size() - 1] = '2';
  CNcPathObject path;
  path.fileName = folder.Write("long.nc", line);
  path.Draw(0);
  Vector3 min, max;
  path.GetBounds(&min, &max, kIdentityMatrix);
  EXPECT_EQ(min, Vector3(2, 4, 0));
  EXPECT_EQ(max, Vector3(2, 4, 0));
}

TEST_F(NcPathObjectTest, FoldersAndFifosAreNotRead) {
  const std::string fifo = folder.File("fifo.nc");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::string& name : {fifo, folder.path()}) {
    NcPathParser parser(1.0f, [](const Vector3&) { ADD_FAILURE(); });
    EXPECT_FALSE(ReadNcPathFile(name, parser));
  }
}

TEST_F(NcPathObjectTest, CloneAndSwapCarryTheProgram) {
  CNcPathObject path;
  path.fileName = "a.nc";
  path.scale = 2.5f;
  path.ObjectState = 1;
  const std::unique_ptr<CGeomObject> copy = path.Clone();
  auto* const clone = dynamic_cast<CNcPathObject*>(copy.get());
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->fileName, "a.nc");
  EXPECT_EQ(clone->scale, 2.5f);
  EXPECT_EQ(clone->ObjectState, 1);

  clone->fileName = "b.nc";
  clone->scale = 4.0f;
  clone->ObjectState = 0;
  path.Swap(*clone);
  EXPECT_EQ(path.fileName, "b.nc");
  EXPECT_EQ(path.scale, 4.0f);
  EXPECT_EQ(path.ObjectState, 0);
  EXPECT_EQ(clone->fileName, "a.nc");
  EXPECT_EQ(clone->ObjectState, 1);
}

// A top view one pixel per unit, model (x, y) at pixel (100 + x, 100 - y), showing a path
// along the x axis from -50 to 50.
class NcPathPickTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    Headless().hasMainWindow = true;
    view.SetSize(201, 201);
    view.SetAxes(0, 1, 2, 1, 1, 1);
    view.viewExtent = 100;
    SetActiveView(nullptr);
    auto object = std::make_unique<CNcPathObject>();
    object->fileName = folder.Write("path.nc", std::string_view(" X-100 Y0 Z0\r\n X100\r\n"));
    object->scale = 2.0f;
    path = Link(std::move(object));
    SetActiveView(&view);
    ResetToPickTool();
  }

  TempDir folder;
  CNcPathObject* path = nullptr;
};

TEST_F(NcPathPickTest, SelectUndoAndRedoKeepTheProgram) {
  const std::string name = path->fileName;
  view.OnLButtonDown(kMouseLeftButton, 110, 100);
  view.OnLButtonUp(0, 110, 100);
  EXPECT_EQ(path->ObjectState, kStateSelected);
  // Each step swaps the path with its clone: a plain object in its place would leave it as it is.
  for (const int state : {kStateShown, kStateSelected, kStateShown}) {
    ASSERT_EQ(state == kStateShown ? document.Undo() : document.Redo(), 1);
    EXPECT_EQ(path->ObjectState, state);
    EXPECT_EQ(path->fileName, name);
    EXPECT_EQ(path->scale, 2.0f);
    EXPECT_EQ(dynamic_cast<CNcPathObject*>(TheScene.head), path);
  }
}

// Two axis lines and a union, with and without NC paths among them (one inside the union).
std::unique_ptr<ObjectList> Design(bool withPaths) {
  auto list = std::make_unique<ObjectList>();
  auto line = std::make_unique<CAxisLineObject>();
  line->axisIndex = 1;
  list->Add(std::move(line));
  if (withPaths) list->Add(std::make_unique<CNcPathObject>());
  list->Add(std::make_unique<CAxisLineObject>());
  auto group = std::make_unique<CBooleanObject>();
  group->SetOperation(kBooleanUnion);
  if (withPaths) group->members.Append(std::make_unique<CNcPathObject>());
  group->members.Append(std::make_unique<CAxisLineObject>());
  list->Add(std::move(group));
  return list;
}

TEST_F(NcPathObjectTest, DesignAndViewerFilesLeaveThePathOut) {
  const std::unique_ptr<ObjectList> with = Design(true);
  const std::unique_ptr<ObjectList> without = Design(false);
  auto* const withHead = const_cast<CGeomObject*>(with->first());
  auto* const withoutHead = const_cast<CGeomObject*>(without->first());
  const Bytes saved = CaptureWrite([&] { WriteObjectList(withHead); });
  EXPECT_EQ(saved, CaptureWrite([&] { WriteObjectList(withoutHead); }));

  ScratchFile file(saved);
  CGeomObject* list = nullptr;
  ASSERT_EQ(ReadObjectList(&list, 1), 3);
  std::vector<std::unique_ptr<CGeomObject>> objects;
  for (CGeomObject* o = list; o != nullptr;) {
    CGeomObject* const following = o->next;
    objects.emplace_back(o);
    o = following;
  }
  EXPECT_EQ(objects[0]->GetKind(), kKindAxisLine);
  EXPECT_EQ(objects[1]->GetKind(), kKindAxisLine);
  ASSERT_EQ(objects[2]->GetKind(), kKindBoolean);
  const CGeomObject* member = static_cast<CBooleanObject&>(*objects[2]).members.head();
  ASSERT_NE(member, nullptr);
  EXPECT_EQ(member->GetKind(), kKindAxisLine);
  EXPECT_EQ(member->next, nullptr);

  // The same random nibbles for both.
  SeedProgramRand(1);
  ASSERT_EQ(WriteViewerFile(withHead, folder.File("with.viewer")), 1);
  SeedProgramRand(1);
  ASSERT_EQ(WriteViewerFile(withoutHead, folder.File("without.viewer")), 1);
  EXPECT_EQ(ReadWholeFile(folder.File("with.viewer")), ReadWholeFile(folder.File("without.viewer")));
}

}  // namespace
