#include "app/recent_file_list.h"

#include <string>
#include <vector>

#include "platform/headless_platform.h"
#include "platform/platform_services.h"
#include "program_state.h"

namespace {

using RecentFileListTest = LumidrexTest;

std::string Design(int n) { return "/designs/ring" + std::to_string(n) + ".lxd"; }

TEST_F(RecentFileListTest, KeepsTheNewestTenAndMovesAReopenedPathToTheTop) {
  RecentFileList list;
  for (int n = 1; n <= 11; ++n) list.Add(Design(n));
  ASSERT_EQ(list.Size(), 10u);
  EXPECT_EQ(list.Paths().front(), Design(11));
  EXPECT_EQ(list.Paths().back(), Design(2));

  list.Add(Design(5));
  ASSERT_EQ(list.Size(), 10u);
  EXPECT_EQ(list.Paths()[0], Design(5));
  EXPECT_EQ(list.Paths()[1], Design(11));
  EXPECT_EQ(list.Paths()[9], Design(2));

  list.Remove(0);
  list.Remove(42);
  EXPECT_EQ(list.Paths()[0], Design(11));
  EXPECT_EQ(list.Size(), 9u);
}

TEST_F(RecentFileListTest, MenuTextsNumberTheEntriesAndShowAmpersands) {
  RecentFileList list;
  list.Add("/x/a&b.lxd");
  list.Add("/x/plain.lxd");
  EXPECT_EQ(list.MenuText(0), "&1 /x/plain.lxd");
  EXPECT_EQ(list.MenuText(1), "&2 /x/a&&b.lxd");
  EXPECT_EQ(list.MenuText(2), "");
}

TEST_F(RecentFileListTest, TheListSurvivesTheProfile) {
  RecentFileList list;
  for (int n = 1; n <= 3; ++n) list.Add(Design(n));
  list.Save(Headless());
  EXPECT_EQ(Headless().settingTexts["Recent File List/File1"], Design(3));
  EXPECT_EQ(Headless().settingTexts["Recent File List/File10"], "");

  RecentFileList loaded;
  loaded.Add("/stale.lxd");
  loaded.Load(Headless());
  EXPECT_EQ(loaded.Paths(), list.Paths());

  // A shorter list clears the entries a longer one left; gaps and repeats in a profile go.
  list.Remove(0);
  list.Save(Headless());
  Headless().settingTexts["Recent File List/File5"] = Design(7);
  Headless().settingTexts["Recent File List/File6"] = Design(1);
  loaded.Load(Headless());
  EXPECT_EQ(loaded.Paths(), (std::vector<std::string>{Design(2), Design(1), Design(7)}));
}

}  // namespace
