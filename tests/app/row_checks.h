#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <span>

#include "app/command_routing.h"
#include "app/command_table.h"

// A row the command table must hold.
struct ExpectedRow {
  int id;
  HandlerKind kind;
  // Null when only the kind matters.
  void (*worker)() = nullptr;
};

// Each row is registered once, with its kind and worker, and the view's holder has it.
inline void ExpectRowsRegistered(std::span<const ExpectedRow> rows, const CommandHolder& holder) {
  EXPECT_TRUE(RegisterCommandRows().empty());
  const auto registered = CommandTableRows();
  for (const ExpectedRow& row : rows) {
    SCOPED_TRACE(row.id);
    const auto same = [&row](const CommandRow& r) { return r.id == row.id; };
    EXPECT_EQ(std::count_if(registered.begin(), registered.end(), same), 1);
    const auto found = std::find_if(registered.begin(), registered.end(), same);
    ASSERT_NE(found, registered.end());
    EXPECT_EQ(found->kind, row.kind);
    if (row.worker != nullptr) {
      const auto* worker = found->worker.target<void (*)()>();
      ASSERT_NE(worker, nullptr);
      EXPECT_EQ(*worker, row.worker);
    }
    EXPECT_TRUE(holder.HasCommand(row.id));
  }
}
