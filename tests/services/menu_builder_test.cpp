#include "services/menu_builder.h"

#include <map>
#include <vector>

#include "program_state.h"
#include "services/app_settings.h"
#include "services/language_file.h"

namespace {

using MenuBuilderTest = LumidrexTest;
using Kind = MenuItem::Kind;

struct Counts {
  int popups = 0;
  int items = 0;
  int separators = 0;
};

void Count(const MenuItem& menu, Counts* counts) {
  for (const MenuItem& item : menu.items) {
    if (item.kind == Kind::kPopup) {
      ++counts->popups;
      Count(item, counts);
    } else if (item.kind == Kind::kSeparator) {
      ++counts->separators;
    } else {
      ++counts->items;
    }
  }
}

// The menu as a line of ids: "(" and ")" around a popup, "|" for a separator.
std::string Shape(const MenuItem& menu) {
  std::string shape;
  for (const MenuItem& item : menu.items) {
    if (!shape.empty()) shape += ' ';
    if (item.kind == Kind::kPopup) {
      shape += item.text + "(" + Shape(item) + ")";
    } else if (item.kind == Kind::kSeparator) {
      shape += "|";
    } else {
      shape += std::to_string(item.id);
    }
  }
  return shape;
}

std::vector<int> Ids(const MenuItem& popup) {
  std::vector<int> ids;
  for (const MenuItem& item : popup.items) ids.push_back(item.kind == Kind::kPopup ? -1 : item.id);
  return ids;
}

TEST_F(MenuBuilderTest, TheBuiltInMenuSectionHasItsPopupsAtTheirRows) {
  const std::map<std::size_t, std::string_view> begins = {
      {0, "&File"},         {12, "&Configuration"}, {23, "&Edit"},       {53, "&View"},      {79, "Pan View"},
      {85, "Zoom View"},    {94, "Flip View"},      {100, "Roll View"},  {106, "Tool Bars"}, {120, "&Pick"},
      {134, "&Copy"},       {136, "&Flip 90"},      {152, "&Deform"},    {160, "Flip &90"},  {182, "C&urve"},
      {199, "&Adjust"},     {220, "&Surface"},      {242, "&V-Curves"},  {248, "&Misc"},     {249, "&Boolean"},
      {261, "&Facet Object"}, {277, "&Estimate"},   {285, "&Help"}};
  std::map<std::size_t, std::string_view> found;
  for (std::size_t row = 0; row < kMenuSectionEndRow; ++row) {
    if (MenuStringTable[row].id == kPopupBegin) found[row] = MenuStringTable[row].text;
  }
  EXPECT_EQ(found, begins);
  EXPECT_EQ(MenuStringTable[kMenuSectionEndRow].id, kTableEnd);
  EXPECT_EQ(MenuStringTable[19].id, 57616);
  EXPECT_EQ(MenuStringTable[19].text, "");
  EXPECT_EQ(MenuStringTable[21].text, "E&xit");

  int textRows = 0;
  for (std::size_t row = 0; row < kMenuSectionEndRow; ++row) textRows += MenuRowCarriesText(MenuStringTable[row]) ? 1 : 0;
  EXPECT_EQ(textRows, 231);
  EXPECT_EQ(SplitMenuTable(MenuStringTable).strings.size(), 479u);
  for (const MenuTableRow& row : SplitMenuTable(MenuStringTable).strings) EXPECT_FALSE(row.text.empty()) << row.id;

  const MenuItem tree = BuildMenuTree(MenuStringTable, EnglishRowTexts(MenuStringTable), false);
  Counts counts;
  Count(tree, &counts);
  EXPECT_EQ(counts.popups, 23);
  EXPECT_EQ(counts.items, 209);
  EXPECT_EQ(counts.separators, 36);
  ASSERT_EQ(tree.items.size(), 10u);
}

TEST_F(MenuBuilderTest, CleanupRulesOnHandMadeTables) {
  const struct {
    std::vector<MenuTableRow> rows;
    std::string shape;
  } cases[] = {
      // An empty popup vanishes, also when its only entry is a separator.
      {{{kPopupBegin, "A"}, {1, "a"}, {kPopupBegin, "E"}, {kPopupEnd, ""}, {kPopupEnd, ""}}, "A(1)"},
      {{{kPopupBegin, "A"}, {kPopupBegin, "E"}, {kSeparator, ""}, {kPopupEnd, ""}, {2, "b"}, {kPopupEnd, ""}},
       "A(2)"},
      // No popup starts or ends with a separator; two in a row collapse.
      {{{kPopupBegin, "A"}, {kSeparator, ""}, {1, "a"}, {kSeparator, ""}, {kSeparator, ""}, {2, "b"},
        {kSeparator, ""}, {kPopupEnd, ""}},
       "A(1 | 2)"},
      // A popup entry counts as an item before a separator.
      {{{kPopupBegin, "A"}, {kPopupBegin, "B"}, {1, "a"}, {kPopupEnd, ""}, {kSeparator, ""}, {2, "b"},
        {kPopupEnd, ""}},
       "A(B(1) | 2)"},
      {{{kPopupBegin, "A"}, {kPopupEnd, ""}, {kPopupBegin, "B"}, {3, "c"}, {kPopupEnd, ""}}, "B(3)"},
  };
  for (const auto& c : cases) {
    std::vector<MenuTableRow> table = c.rows;
    table.push_back({kTableEnd, ""});
    EXPECT_EQ(Shape(BuildMenuTree(table, EnglishRowTexts(table), false)), c.shape);
  }
}

TEST_F(MenuBuilderTest, RunTimeItemsLandInCurveMiscAndFile) {
  CfgCimagraphi = 1;
  CfgDeskProto = 1;
  CfgObjet = 1;
  CfgPerfactory = 1;
  BuildMenus();
  const MenuItem& bar = CurrentMenuBar();
  ASSERT_EQ(bar.items.size(), 10u);

  const MenuItem& curve = bar.items[6];
  EXPECT_EQ(curve.text, "C&urve");
  EXPECT_EQ(curve.items.back().id, 7200);
  EXPECT_EQ(curve.items.back().text, "Restore removed curves");

  const MenuItem& misc = bar.items[8];
  EXPECT_EQ(Ids(misc), (std::vector<int>{-1, 0, 9010, -1, 9030, 9031, 9040, 9041, 0, 9100, 9110, 9111, 9120, -1,
                                         9121, -1, 0, 9300, 9301}));
  EXPECT_EQ(misc.items[13].text, "STL Output");
  EXPECT_EQ(Ids(misc.items[13]), (std::vector<int>{9131, 9132}));

  const MenuItem& file = bar.items[0];
  EXPECT_EQ(Ids(file), (std::vector<int>{57600, 57601, 57603, 57604, 0, 1000, 1001, 1002, 1003, 1004, 0, -1, 0,
                                         -1, 1103, 0, 57616, 0, 57665}));
  const MenuItem& exportTo = file.items[11];
  EXPECT_EQ(exportTo.text, "Export/Print 3D to");
  EXPECT_EQ(Shape(exportTo), "Cimagraphi(1006 1005 | 1008 1007) 1009 1010 1011");
  EXPECT_EQ(file.items[13].text, "&Configuration");
}

TEST_F(MenuBuilderTest, WithoutOutsideProgramsTheExportPopupIsAbsent) {
  BuildMenus();
  const MenuItem& file = CurrentMenuBar().items[0];
  EXPECT_EQ(Ids(file), (std::vector<int>{57600, 57601, 57603, 57604, 0, 1000, 1001, 1002, 1003, 1004, 0, -1, 1103,
                                         0, 57616, 0, 57665}));
  CfgObjet = 1;
  BuildMenus();
  EXPECT_EQ(Shape(CurrentMenuBar().items[0].items[11]), "1010");
}

class RecordingFrame : public MenuFrame {
 public:
  void InstallMenuBar(const MenuItem& bar) override { installed.push_back(bar.items.size()); }
  void SetToolBarTitles() override { ++titles; }
  std::vector<std::size_t> installed;
  int titles = 0;
};

TEST_F(MenuBuilderTest, TheMainFrameReceivesTheBarAndSetsItsToolBarTitles) {
  RecordingFrame frame;
  SetMenuFrame(&frame);
  BuildMenus();
  EXPECT_EQ(frame.installed, (std::vector<std::size_t>{10}));
  EXPECT_EQ(frame.titles, 1);
}

}  // namespace
