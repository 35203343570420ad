#include <gtest/gtest.h>

#include "platform/text_encoding.h"

namespace {

TEST(TextEncodingTest, Windows1252RoundTrip) {
  struct Case {
    std::string bytes;
    std::string utf8;
  };
  for (const Case& c : {Case{"Gold", "Gold"}, Case{"Ros\xE9", "Rosé"}, Case{"\x80 \x99 \x9F", "€ ™ Ÿ"},
                        Case{"\xA0\xFF", "\u00A0ÿ"}, Case{"", ""}}) {
    EXPECT_EQ(Cp1252ToUtf8(c.bytes), c.utf8);
    EXPECT_EQ(Utf8ToCp1252(c.utf8), c.bytes);
  }
  // The five unassigned bytes keep their value as a C1 control, and come back unchanged.
  EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8("\x81\x8D\x8F\x90\x9D")), "\x81\x8D\x8F\x90\x9D");
}

TEST(TextEncodingTest, UnrepresentableAndMalformedTextBecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1252("金 ok"), "? ok");
  EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");        // cut sequence
  EXPECT_EQ(Utf8ToCp1252("a\x80z"), "a?z");       // stray continuation byte
  EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x92\x8E!"), "?!");
}

TEST(TextEncodingTest, LimitedConversionCutsOnCharacterBoundaries) {
  EXPECT_EQ(Utf8ToCp1252Limited("éééé", 2), "\xE9\xE9");
  EXPECT_EQ(Utf8ToCp1252Limited("ab", 10), "ab");
  EXPECT_EQ(Utf8ToCp1252Limited("ab", 0), "");
}

}  // namespace
