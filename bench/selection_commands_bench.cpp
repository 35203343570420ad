#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "kernel/curve_object.h"
#include "modelling/selection_commands.h"
#include "scene/scene.h"
#include "scene/undo_history.h"
#include "scene/viewport.h"

namespace {

// A document of one 800 x 600 view, so deleting marks its dirty rectangle.
class OneViewDocument : public CUndoHistory {
 public:
  CViewport* NextView() override {
    if (!walked_) {
      walked_ = true;
      return view;
    }
    walked_ = false;
    return nullptr;
  }
  CViewport* view = nullptr;

 private:
  bool walked_ = false;
};

// Edit > Delete of 10,000 selected curves: the records, the running box and the dirty rectangle.
void BM_DeleteSelection(benchmark::State& state) {
  OneViewDocument document;
  CViewport view;
  view.SetSize(800, 600);
  view.documentHistory = &document;
  document.view = &view;
  SetActiveView(&view);
  std::vector<CGeomObject*> objects;
  for (int i = 0; i < 10000; ++i) {
    auto curve = std::make_unique<CCurveObject>();
    const float x = static_cast<float>(i % 100);
    const float y = static_cast<float>(i / 100);
    curve->SetPoints(3, {{x, y, 0}, {x + 0.5f, y + 0.5f, 0}, {x + 1, y, 0}});
    objects.push_back(AddObject(curve, 1));
  }
  for (auto _ : state) {
    state.PauseTiming();
    document.Clear();
    for (CGeomObject* object : objects) object->ObjectState = kStateSelected;
    state.ResumeTiming();
    DoDelete();
  }
  int deleted = 0;
  for (const CGeomObject* object : objects) deleted += object->ObjectState == -1 ? 1 : 0;
  state.counters["deleted"] = deleted;
  ResetScene();
}
BENCHMARK(BM_DeleteSelection)->Unit(benchmark::kMillisecond);

}  // namespace
