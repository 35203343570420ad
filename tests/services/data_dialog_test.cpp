#include "services/data_dialog.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(DataDialogTextTest, IntsAreASignAndDigitsWithinInt) {
  struct Case {
    const char* text;
    std::optional<int> value;
  };
  const Case cases[] = {
      {"42", 42},       {" -7 ", -7},       {"+3", 3},          {"2147483647", 2147483647},
      {"", {}},         {"abc", {}},        {"2.5", {}},        {"1e3", {}},
      {"+-3", {}},      {"--3", {}},        {"++3", {}},        {"2147483648", {}},
      {"3x", {}},       {"-", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    int value = -1;
    EXPECT_EQ(ParseIntText(c.text, &value), c.value.has_value());
    EXPECT_EQ(value, c.value.value_or(-1));
  }
}

TEST(DataDialogTextTest, FloatsMustBeFinite) {
  for (const char* text : {"nan", "inf", "-inf", "1e40", "abc", ""}) {
    float value = 5.0f;
    EXPECT_FALSE(ParseFloatText(text, &value)) << text;
    EXPECT_EQ(value, 5.0f);
  }
}

}  // namespace
