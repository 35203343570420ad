#include "app/command_routing.h"

#include <utility>

#include "platform/command_queue.h"
#include "scene/tool_framework.h"
#include "scene/undo_history.h"
#include "services/ui_utilities.h"

void RunCommandRow(const CommandRow& row) {
  switch (row.kind) {
    case HandlerKind::kView:
      row.worker();
      return;
    case HandlerKind::kResetFirst:
      ResetToPickTool();
      [[fallthrough]];
    case HandlerKind::kDirect:
      row.worker();
      // Whatever the worker did, the cursor is that of the tool current now.
      SetToolCursor();
      return;
  }
}

void CommandMap::AddRow(CommandRow row) {
  const int id = row.id;
  rows_.insert_or_assign(id, std::move(row));
}

void CommandMap::AddCheck(int id, std::function<bool()> check) { checks_.insert_or_assign(id, std::move(check)); }

bool CommandMap::HasCommand(int id) const { return rows_.contains(id); }

void CommandMap::RunCommand(int id) {
  const auto row = rows_.find(id);
  if (row == rows_.end()) return;
  // A copy: the worker may rebuild this very map.
  const CommandRow running = row->second;
  RunCommandRow(running);
}

std::optional<bool> CommandMap::CommandCheck(int id) const {
  const auto check = checks_.find(id);
  if (check == checks_.end()) return {};
  return check->second();
}

std::vector<CommandHolder*> CommandRouter::Holders() const {
  std::vector<CommandHolder*> holders;
  if (chain_) holders = chain_();
  std::erase(holders, nullptr);
  return holders;
}

CommandHolder* CommandRouter::HolderOf(int id) const {
  for (CommandHolder* holder : Holders()) {
    if (holder->HasCommand(id)) return holder;
  }
  return nullptr;
}

bool CommandRouter::Dispatch(int id) {
  CommandQueueHold running;
  CommandHolder* holder = HolderOf(id);
  if (holder == nullptr) return false;
  RunWithinMemory([&] { holder->RunCommand(id); });
  return true;
}

bool CommandRouter::IsEnabled(int id) const { return HolderOf(id) != nullptr; }

std::optional<bool> CommandRouter::CommandCheck(int id) const {
  for (const CommandHolder* holder : Holders()) {
    if (const std::optional<bool> check = holder->CommandCheck(id)) return check;
  }
  return {};
}

CommandRouter& ProgramCommandRouter() {
  static CommandRouter router;
  return router;
}

void ResetCommandRouting() {
  ProgramCommandRouter().Reset();
  ProgramCommandQueue().SetDispatcher(nullptr);
}
