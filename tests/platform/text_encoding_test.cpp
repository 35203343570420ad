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

TEST(TextEncodingTest, Utf16RoundTripKeepsEveryPlane) {
  const std::string text = "Ebene \xC3\xA4 \xE2\x82\xAC \xF0\x9F\x92\x8E";  // a-umlaut, euro, gem (U+1F48E)
  const std::u16string units = Utf8ToUtf16(text);
  EXPECT_EQ(units, u"Ebene \u00E4 \u20AC \U0001F48E");
  EXPECT_EQ(Utf16ToUtf8(units), text);
}

TEST(TextEncodingTest, UnpairedSurrogatesBecomeReplacementCharacters) {
  const std::u16string lone = {u'a', char16_t(0xD800), u'b', char16_t(0xDC00)};
  EXPECT_EQ(Utf16ToUtf8(lone), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
  const std::u16string highAtEnd = {u'x', char16_t(0xDBFF)};
  EXPECT_EQ(Utf16ToUtf8(highAtEnd), "x\xEF\xBF\xBD");
}

}  // namespace
