#include <benchmark/benchmark.h>

#include <string>

#include "modelling/text_command.h"
#include "modelling/text_outlines.h"
#include "scene/scene.h"
#include "scene/viewport.h"

namespace {

// 256 characters of mixed text at em 64, from the font match on: curves (0) or blocks (1).
void TextOutlines(benchmark::State& state) {
  std::string text;
  while (text.size() < 256) text += "Gold Ring 18k & Diamonds ";
  text.resize(256);
  TextFont = {"Liberation Serif", 64, false, false};
  CViewport pane;
  pane.SetSize(800, 600);
  for (auto _ : state) {
    state.PauseTiming();
    ResetScene();
    SetActiveView(&pane);
    state.ResumeTiming();
    MakeTextOutlines(text, static_cast<int>(state.range(0)), 0, 1, 2);
  }
  int objects = 0;
  for (CGeomObject* object = GetObjectList(); object != nullptr; object = object->next) ++objects;
  state.counters["objects"] = objects;
  ResetScene();
  TextFont = FontChoice();
}
BENCHMARK(TextOutlines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
