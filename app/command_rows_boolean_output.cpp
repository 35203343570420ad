#include "app/command_rows.h"
#include "modelling/text_command.h"

// Booleans, jewels, text, rendering and manufacturing output.
void AddBooleanOutputRows(std::vector<CommandRow>& rows) {
  const auto direct = [&rows](int id, void (*worker)()) { rows.push_back({id, HandlerKind::kDirect, worker}); };
  const auto resetFirst = [&rows](int id, void (*worker)()) {
    rows.push_back({id, HandlerKind::kResetFirst, worker});
  };
  (void)resetFirst;
  direct(9040, &OnText);
}
