#pragma once

#include <functional>
#include <map>
#include <optional>
#include <vector>

// How a command travels from a menu item, a toolbar button, a hotkey or a posted id to the one
// object that handles it.

// The step sequence a handler runs around its worker.
enum class HandlerKind {
  kDirect,      // the worker, then the tool cursor
  kResetFirst,  // a fresh pick tool, the worker, then the tool cursor
  kView,        // the view's own handler, alone
};

struct CommandRow {
  int id = 0;
  HandlerKind kind = HandlerKind::kDirect;
  std::function<void()> worker;
};

// One holder of the routing chain: a message map matched by exact id.
class CommandHolder {
 public:
  virtual ~CommandHolder() = default;
  virtual bool HasCommand(int id) const = 0;
  // Only for an id the holder has.
  virtual void RunCommand(int id) = 0;
  // The check mark of the id's items; empty when the holder sets none.
  virtual std::optional<bool> CommandCheck(int /*id*/) const { return {}; }
};

// A holder made of rows and check entries.
class CommandMap : public CommandHolder {
 public:
  // One row per id; a later row for the same id replaces the earlier one.
  void AddRow(CommandRow row);
  void AddCheck(int id, std::function<bool()> check);

  bool HasCommand(int id) const override;
  void RunCommand(int id) override;
  std::optional<bool> CommandCheck(int id) const override;

 private:
  std::map<int, CommandRow> rows_;
  std::map<int, std::function<bool()>> checks_;
};

// Runs one row's steps in the order of its kind.
void RunCommandRow(const CommandRow& row);

// The chain is asked afresh for every command, so it always starts at the active view: view,
// document, child frame, main frame, application, platform defaults. Null holders are skipped.
class CommandRouter {
 public:
  using Chain = std::function<std::vector<CommandHolder*>()>;

  void SetChain(Chain chain) { chain_ = std::move(chain); }
  // The first holder with the id runs it, with the program's command queue held, so commands
  // posted meanwhile run after it in order. False when no holder has the id.
  bool Dispatch(int id);
  // An item or button is enabled exactly when some holder on the chain has its id.
  bool IsEnabled(int id) const;
  // The check mark from the first holder on the chain that sets one for the id.
  std::optional<bool> CommandCheck(int id) const;

  void Reset() { chain_ = nullptr; }

 private:
  CommandHolder* HolderOf(int id) const;
  std::vector<CommandHolder*> Holders() const;

  Chain chain_;
};

// The router of the main window; the command queue drains through it.
CommandRouter& ProgramCommandRouter();
// No chain, and the program's command queue no longer dispatches through the router.
void ResetCommandRouting();
