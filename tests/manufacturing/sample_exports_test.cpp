// The shipped sample designs exported in every triangle format and handed to outside readers:
// admesh finds each file's solids facing out, holding the volume of every solid of the design,
// and ezdxf finds the DXF faces sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "admesh_report.h"
#include "exchange/dxf_writers.h"
#include "exchange/stl_writers.h"
#include "manufacturing/volume_estimate.h"
#include "platform/program_folder.h"
#include "scene/design_file.h"
#include "scene_fixture.h"
#include "temp_dir.h"

namespace {

// Reads a DXF file with ezdxf, prints its audit's errors and fixes, and writes its 3DFACEs as an
// ASCII STL for admesh.
constexpr const char* kFacesToStl = R"(import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
print('audit', len(auditor.errors), len(auditor.fixes))
with open(sys.argv[2], 'w') as out:
    out.write('solid faces\n')
    for e in doc.modelspace().query('3DFACE'):
        out.write('facet normal 0 0 0\nouter loop\n')
        for p in (e.dxf.vtx0, e.dxf.vtx1, e.dxf.vtx2):
            out.write('vertex %r %r %r\n' % (p[0], p[1], p[2]))
        out.write('endloop\nendfacet\n')
    out.write('endsolid faces\n')
)";

// Copies of the solids the exports write, one by one: Boolean groups are descended, so that
// solids that overlap in a union (a bail in its bezel, prongs in their base) each count whole.
void CollectSolids(const CGeomObject* object, std::vector<std::unique_ptr<CGeomObject>>* solids) {
  for (; object != nullptr; object = object->next) {
    if (!IsShownOrSelected(*object)) continue;
    if (object->GetKind() == kKindBoolean) {
      CollectSolids(static_cast<const CBooleanObject*>(object)->members.head(), solids);
    } else {
      solids->push_back(object->Clone());
    }
  }
}

class SampleExportsTest : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    SetProgramDirOverride(LUMIDREX_PROGRAM_FOLDER);
  }

  void Load(const std::string& design) {
    ResetScene();
    SetActiveView(&view);
    InsertDocumentFile(GetProgramDir() + "database/" + design + ".lxd");
  }

  // The sum of the volume estimates of the design's solids, each alone in the scene.
  double SolidsVolume(const std::string& design) {
    Load(design);
    std::vector<std::unique_ptr<CGeomObject>> solids;
    CollectSolids(GetObjectList(), &solids);
    double sum = 0;
    for (std::unique_ptr<CGeomObject>& solid : solids) {
      ResetScene();
      SetActiveView(&view);
      solid->next = nullptr;
      solid->ObjectState = kStateShown;
      AddObject(solid, 0);
      // Curves and axis lines have no volume, and nothing to estimate.
      sum += std::max(0.0f, ComputeVolume(0.05f, 0));
    }
    return sum;
  }

  TempDir folder;
};

TEST_F(SampleExportsTest, EveryDesignExportsAsSolidsFacingOut) {
  ASSERT_TRUE(AdmeshInstalled()) << kAdmeshMissing;
  ASSERT_EQ(std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null"), 0)
      << "ezdxf is missing: install the Debian package python3-ezdxf (scripts/install-deps.sh)";
  const std::string script = folder.Write("faces.py", kFacesToStl);
  // A file holds the solids of a Boolean group as they are, so its volume is theirs, each counted
  // whole: where solids overlap, or a group cuts, the design's own estimate is less.
  for (const char* design : {"Rings/Rings1/001", "Rings/Rings1/002", "Rings/Rings1/003", "Rings/Rings2/001",
                             "Pendants/001", "Earrings/001"}) {
    SCOPED_TRACE(design);
    const double solids = SolidsVolume(design);
    ASSERT_GT(solids, 10);
    Load(design);
    for (const char* format : {"binary STL", "ASCII STL", "DXF 3DFACE"}) {
      SCOPED_TRACE(format);
      const std::string stl = folder.File("design.stl");
      if (format[0] == 'b') {
        ASSERT_TRUE(StlBinaryWriter(GetObjectList(), stl));
      } else if (format[0] == 'A') {
        ASSERT_TRUE(StlAsciiWriter(GetObjectList(), stl));
      } else {
        const std::string dxf = folder.File("design.dxf");
        ASSERT_TRUE(Dxf3DFaceWriter(GetObjectList(), dxf));
        const CommandOutput audit = RunCommand("/usr/bin/python3 '" + script + "' '" + dxf + "' '" + stl + "' 2>&1");
        EXPECT_EQ(audit.text, "audit 0 0\n");
      }
      const std::string report = RunAdmesh(stl);
      EXPECT_EQ(ReportValue(report, "Facets reversed"), 0) << report;
      const double volume = ReportValue(report, "Volume");
      EXPECT_NEAR(volume, solids, 0.005 * solids) << report;
    }
  }
}

}  // namespace
