#include "modelling/curve_pick_commands.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "kernel/bspline_curve.h"
#include "kernel/curve_object.h"
#include "modelling/curve_texts.h"
#include "modelling/new_curve.h"
#include "modelling/start_tool.h"
#include "scene/pick_callback_tool.h"
#include "scene/scene_views.h"
#include "scene/tool_framework.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

// The first curve of In Between, until the second is picked.
CCurveObject* inBetweenFirst = nullptr;

}  // namespace

void ForgetInBetweenCurve() { inBetweenFirst = nullptr; }

void DoInBetweenCurve() {
  ForgetInBetweenCurve();
  StartDefaultTool<CPickCallbackTool>(kPickTwoCurvesString, &MakeInBetweenCurve, kKindCurve, 0, 1);
}

void MakeInBetweenCurve(CPickCallbackTool* tool) {
  auto* curve = static_cast<CCurveObject*>(tool->picked);
  if (curve == nullptr) return;
  if (inBetweenFirst == nullptr) {
    inBetweenFirst = curve;
    return;
  }
  const CCurveObject& first = *inBetweenFirst;
  if (first.PointCount() != curve->PointCount()) {
    ShowMessageBox(GetLocalizedString(kSameCvCountString));
    return;
  }
  std::vector<Vector3> points;
  for (int i = 0; i < curve->PointCount(); ++i) {
    points.push_back(VecScale(VecAdd(first.points[i], curve->points[i]), 0.5f));
  }
  ForgetInBetweenCurve();
  AddNewCurve(std::move(points), 0);
  RedrawAllViews();
  // Replaces the tool whose release runs this; it lives on until the release returns.
  ResetToPickTool();
}

void DoCurveLength() {
  StartDefaultTool<CPickCallbackTool>(kPickCurveToMeasureString, &ShowCurveLength, kKindCurve, 0, 1);
}

double CurveLength(const CCurveObject& curve) {
  const std::vector<Vector3> padded = ExtendCurveEnds(curve.PointCount(), curve.points.data(), curve.startAttribute,
                                                      curve.endAttribute, curve.closed);
  const std::vector<Vector3> samples =
      EvaluateCurvePoints(padded.data(), static_cast<int>(padded.size()), curve.stepsPerSpan);
  double length = 0.0;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    const Vector3 step = VecSub(samples[i], samples[i - 1]);
    length += std::sqrt(static_cast<double>(VecDot(step, step)));
  }
  return length;
}

void ShowCurveLength(CPickCallbackTool* tool) {
  const auto* curve = static_cast<const CCurveObject*>(tool->picked);
  if (curve == nullptr) return;
  const std::string prompt = GetLocalizedString(kPickCurveToMeasureString);
  const std::string label = GetLocalizedString(kCurveLengthString);
  const double length = CurveLength(*curve);
  // A language file's texts may be of any length.
  std::string text(static_cast<std::size_t>(std::snprintf(nullptr, 0, "%s  %s = %8.3f", prompt.c_str(), label.c_str(), length)), '\0');
  std::snprintf(text.data(), text.size() + 1, "%s  %s = %8.3f", prompt.c_str(), label.c_str(), length);
  ShowStatusText(text);
}
