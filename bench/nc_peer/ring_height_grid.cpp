// The benchmark ring lying with its gems up, scaled to 20 mm and sampled on a square grid of
// cells x cells points, for a peer NC program generator: writes the height grid as raw floats
// (row by row, heights below the top, 0 the highest) and prints the seconds our fine pass took
// with a 1 mm ball: the tool compensation and the writing of the G-code program.
//   ring_height_grid <cells> <grid path> <program path>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "exchange/output_file.h"
#include "exchange/visible_bounds.h"
#include "manufacturing/nc_passes.h"
#include "manufacturing/nc_posts.h"
#include "manufacturing/nc_program.h"
#include "manufacturing/nc_tool_compensation.h"
#include "ring_design.h"

int main(int argc, char** argv) {
  const int cells = argc == 4 ? std::atoi(argv[1]) : 0;
  if (cells < 2) {
    std::fprintf(stderr, "usage: ring_height_grid <cells> <grid path> <program path>\n");
    return 2;
  }
  ring_design::RingDesign ring;
  if (!ring.ready()) return 1;
  // The ring's axis, model y, turned to z with its front (the gems, towards -y) up.
  const Matrix4 turn = {{1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1}};
  for (CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) object->Transform(turn, 1);
  Vector3 min;
  Vector3 max;
  GetVisibleBounds(&min, &max);
  const float side = 20.0f;
  const float scale = side / std::max(max.x - min.x, max.y - min.y);
  const float step = side / static_cast<float>(cells - 1);

  NcJob job;
  job.rows = job.columns = cells;
  job.xStep = job.yStep = step;
  job.roughing = false;
  job.grid.assign(static_cast<std::size_t>(cells) * cells, (min.z - max.z) * scale);
  Matrix4 m = kIdentityMatrix;
  m[0] = m[5] = scale / step;
  m[12] = -min.x * scale / step;
  m[13] = -min.y * scale / step;
  m[10] = scale;
  m[14] = -max.z * scale;
  if (!SampleZGrid(job.grid.data(), m, cells, cells)) return 1;
  std::FILE* raw = std::fopen(argv[2], "wb");
  if (raw == nullptr || std::fwrite(job.grid.data(), sizeof(float), job.grid.size(), raw) != job.grid.size()) return 1;
  std::fclose(raw);

  const auto start = std::chrono::steady_clock::now();
  OutputFile file;
  if (!file.Open(argv[3])) return 1;
  CNcPostGCode post(file);
  job.post = &post;
  NcToolCompensate(job, kNcBallPoint, 0.5f, 0.0f, 0.0f, 0.0f);
  NcWritePasses(job, 0.0f);
  if (!file.Commit()) return 1;
  std::printf("%.4f %.6g\n", std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), step);
  return 0;
}
