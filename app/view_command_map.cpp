#include "app/view_command_map.h"

#include <functional>
#include <iostream>

#include "app/command_table.h"
#include "scene/vorn_view.h"
#include "services/choose_language.h"

namespace {

// Commands that one handler serves, each passing its own id.
constexpr int kDisplayModes[] = {3100, 3101, 3102, 3103, 3104, 3105};
constexpr int kDirections[] = {3200, 3201, 3202, 3203, 3204, 3205, 3206};
constexpr int kPans[] = {3400, 3401, 3402, 3403};
constexpr int kFlipsAndRolls[] = {3420, 3421, 3422, 3423, 3430, 3431};
// Commands whose items carry a check mark.
constexpr int kCheckedCommands[] = {3002, 3100, 3101, 3102, 3103, 3104, 3105, 3200,
                                    3201, 3202, 3203, 3204, 3205, 3206, 5010};

constexpr std::span<const int> kExclusiveGroups[] = {kDisplayModes, kDirections};

}  // namespace

std::span<const std::span<const int>> ExclusiveViewCommandGroups() { return kExclusiveGroups; }

CommandMap BuildViewCommandMap(CVornView& view, std::vector<int>* heldTwice) {
  CommandMap map;
  const auto add = [&](int id, std::function<void()> handler) { map.AddRow({id, HandlerKind::kView, std::move(handler)}); };
  const auto addEach = [&](const auto& ids, void (CVornView::*handler)(int)) {
    for (const int id : ids) add(id, [&view, handler, id] { (view.*handler)(id); });
  };
  const auto addOne = [&](int id, void (CVornView::*handler)()) { add(id, [&view, handler] { (view.*handler)(); }); };

  addEach(kDisplayModes, &CVornView::OnSetDisplayMode);
  addEach(kDirections, &CVornView::OnViewDirection);
  addOne(3300, &CVornView::OnTileFrontRightTop3D);
  addOne(3301, &CVornView::OnTileBackLeftBottom3D);
  addOne(3310, &CVornView::OnTileFrontRight);
  addOne(3311, &CVornView::OnTileFrontTop);
  addEach(kPans, &CVornView::OnPan);
  addOne(3410, &CVornView::OnZoomIn);
  addOne(3411, &CVornView::OnZoomOut);
  addOne(3412, &CVornView::OnZoomBox);
  addOne(3413, &CVornView::OnZoomAll);
  addOne(3414, &CVornView::OnZoomOneToOne);
  addEach(kFlipsAndRolls, &CVornView::OnFlipRoll);
  addOne(3440, &CVornView::OnResetView);
  addOne(3441, &CVornView::OnNewWindow);
  addOne(3600, &CVornView::OnPick);
  addOne(57643, &CVornView::OnEditUndo);
  addOne(57644, &CVornView::OnEditRedo);
  add(1103, &OnChooseLanguage);
  // The command table's rows come after the view's own; an id both hold keeps the view's row.
  for (const CommandRow& row : CommandTableRows()) {
    if (map.HasCommand(row.id)) {
      if (heldTwice != nullptr) {
        heldTwice->push_back(row.id);
      } else {
        std::cerr << "Command " << row.id << " is both a view command and a command-table row\n";
      }
      continue;
    }
    map.AddRow(row);
  }

  for (const int id : kCheckedCommands) {
    map.AddCheck(id, [&view, id] { return view.ViewCommandCheck(id).value_or(false); });
  }
  return map;
}
