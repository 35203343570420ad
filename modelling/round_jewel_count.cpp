#include "modelling/round_jewel_count.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "kernel/boolean_object.h"
#include "kernel/gem_object.h"
#include "kernel/matrix4.h"
#include "platform/ui_services.h"
#include "scene/scene.h"
#include "scene/tool_framework.h"
#include "services/layer_table.h"
#include "services/string_table.h"
#include "services/ui_utilities.h"

namespace {

constexpr int kCaptionString = 33500;
constexpr int kNoneFoundString = 33506;
constexpr int kJewelString = 31700;
constexpr int kDiameterString = 30505;
constexpr int kNumberString = 32201;

double RowLength(const Matrix4& m, int row) {
  const double x = m.at(row, 0), y = m.at(row, 1), z = m.at(row, 2);
  return std::sqrt(x * x + y * y + z * z);
}

}  // namespace

void CollectRoundJewel(const CGeomObject* object, float tolerance, int descend, std::vector<RoundJewel>& out) {
  if (object->GetKind() == kKindGem) {
    const int index = static_cast<const CGemObject*>(object)->LibraryIndex();
    if (index != 0 && index != 6) return;
    CGeomObject* prototype = const_cast<CGeomObject*>(object);
    Matrix4 placement;
    ResolveGemInstance(prototype, &placement);
    // Without its prototype the placement is the identity, which would count as a size.
    if (prototype == nullptr) return;
    const double step = tolerance;
    const double x = std::floor(2.0 * RowLength(placement, 0) / step + 0.5);
    const double y = std::floor(2.0 * RowLength(placement, 1) / step + 0.5);
    // Not finite: the comparison fails and the gem is not counted.
    if (!(std::fabs(x * step - y * step) < step)) return;
    out.push_back({x, object->materialName != nullptr ? *object->materialName : std::string()});
  } else if (object->GetKind() == kKindBoolean && descend != 0) {
    const auto* group = static_cast<const CBooleanObject*>(object);
    for (const CGeomObject* member = group->members.head(); member != nullptr; member = member->next) {
      CollectRoundJewel(member, tolerance, descend, out);
      if (group->Operation() == kBooleanSubtraction) break;
    }
  }
}

std::string RoundJewelTally(float tolerance, int descend) {
  std::vector<RoundJewel> jewels;
  for (CGeomObject* object = nullptr; NextObject(object, -1, 0) != nullptr;) {
    if (IsShownOrSelected(*object) && IsLayerVisible(object->layer) != 0) {
      CollectRoundJewel(object, tolerance, descend, jewels);
    }
  }
  if (jewels.empty()) return {};
  // Byte order of UTF-8 is code-point order, as the wide-string comparison gave.
  std::stable_sort(jewels.begin(), jewels.end(), [](const RoundJewel& a, const RoundJewel& b) {
    return a.material != b.material ? a.material < b.material : a.steps < b.steps;
  });
  std::string text = GetLocalizedString(kJewelString) + "\t\t" + GetLocalizedString(kDiameterString) + "\t\t" +
                     GetLocalizedString(kNumberString) + "\n\n";
  char line[64];
  for (std::size_t first = 0; first < jewels.size();) {
    std::size_t end = first + 1;
    while (end < jewels.size() && jewels[end].material == jewels[first].material &&
           jewels[end].steps == jewels[first].steps) {
      ++end;
    }
    const double diameter = static_cast<float>(jewels[first].steps * tolerance);
    std::snprintf(line, sizeof line, "\t\t%8.2f\t\t%3d\n", diameter, static_cast<int>(end - first));
    text += jewels[first].material + line;
    first = end;
  }
  return text;
}

void CountRoundJewels(float tolerance, int descend) {
  const std::string tally = RoundJewelTally(tolerance, descend);
  const std::string caption = GetLocalizedString(kCaptionString);
  ShowMessageBox(tally.empty() ? GetLocalizedString(kNoneFoundString) : tally, caption, kMessageOk);
}

void DoCountRoundJewel() {
  ResetToPickTool();
  CountRoundJewels(0.01f, 1);
}
