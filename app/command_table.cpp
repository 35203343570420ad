#include "app/command_table.h"

#include <algorithm>
#include <set>

#include "app/command_rows.h"

namespace {

std::vector<CommandRow>& Rows() {
  static std::vector<CommandRow> rows;
  return rows;
}

}  // namespace

std::vector<int> RegisterCommandRows() {
  std::vector<CommandRow>& rows = Rows();
  rows.clear();
  AddFileEditViewRows(rows);
  AddCopyDeformRows(rows);
  AddCurveSurfaceRows(rows);
  AddBooleanOutputRows(rows);
  return IdsMetTwice(rows);
}

std::span<const CommandRow> CommandTableRows() { return Rows(); }

std::vector<int> IdsMetTwice(std::span<const CommandRow> rows) {
  std::set<int> seen;
  std::vector<int> twice;
  for (const CommandRow& row : rows) {
    if (!seen.insert(row.id).second && std::find(twice.begin(), twice.end(), row.id) == twice.end()) {
      twice.push_back(row.id);
    }
  }
  return twice;
}
