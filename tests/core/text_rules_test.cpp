// The character rules every text goes through: UTF-8, Windows-1252 and the
// case-blind comparison of names.

#include <gtest/gtest.h>

#include "core/letter_case.h"
#include "core/utf8.h"
#include "core/windows1252.h"

namespace tarnwick {
namespace {

TEST(Utf8Test, DecodesOnlyTheShortestFormOfACharacter) {
  struct Case {
    std::string bytes;
    char32_t character;
    std::size_t length;  // bytes passed over
  } cases[] = {
      {"A", U'A', 1},
      {"\u00E9", 0xE9, 2},
      {"\u20AC", 0x20AC, 3},
      {"\U0001F48E", 0x1F48E, 4},
      {"\xC0\xAF", kReplacementCharacter, 2},          // overlong "/"
      {"\xE0\x80\xAF", kReplacementCharacter, 3},      // overlong "/"
      {"\xF0\x82\x82\xAC", kReplacementCharacter, 4},  // overlong euro sign
      {"\xED\xA0\x80", kReplacementCharacter, 3},      // a surrogate
      {"\xF4\x90\x80\x80", kReplacementCharacter, 4},  // past U+10FFFF
      {"\xC3", kReplacementCharacter, 1},              // the text ends
      {"\xC3(", kReplacementCharacter, 1},             // no continuation
      {"\x80", kReplacementCharacter, 1},
      {"\xFF", kReplacementCharacter, 1},
  };
  for (const Case& c : cases) {
    std::size_t i = 0;
    EXPECT_EQ(NextCodePoint(c.bytes, i), c.character) << c.bytes;
    EXPECT_EQ(i, c.length) << c.bytes;
    if (c.character != kReplacementCharacter) {
      std::string again;
      AppendCodePoint(again, c.character);
      EXPECT_EQ(again, c.bytes);
    }
  }
}

TEST(Windows1252Test, EveryByteDecodesAsTheCodePageSaysAndEncodesBack) {
  std::string all;
  for (int b = 0x20; b <= 0xFF; ++b) all.push_back(static_cast<char>(b));
  EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(all)), all);
  EXPECT_EQ(DecodeWindows1252("\x80\x93x\x94\xE9"),
            "\u20AC\u201Cx\u201D\u00E9");
  // Undefined in the code page: kept as the C1 control of the same number.
  EXPECT_EQ(DecodeWindows1252("\x81\x8D\x8F\x90\x9D"),
            "\u0081\u008D\u008F\u0090\u009D");
}

TEST(LetterCaseTest, NamesCompareWithoutCaseOverTheLettersThatHaveOne) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  } cases[] = {
      {"TABLES:", "tables:", true},
      {"\u00C9meraude", "\u00E9MERAUDE", true},  // É é
      {"\u0178\u0160\u0152\u017D", "\u00FF\u0161\u0153\u017E", true},
      {"\u041E\u0432\u0430\u043B \u0401", "\u043E\u0412\u0410\u041B \u0451",
       true},                                  // Cyrillic
      {"\u0391\u03A9", "\u03B1\u03C9", true},  // Greek
      {"\u00D7", "\u00F7", false},             // × and ÷ are no letters
      {"\u00DF", "SS", false},
      {"Oval", "Ovals", false},
      {"[a]", "{A}", false},
      // Bytes that are no UTF-8 stay as they are.
      {"bad \xC3", "BAD \xC3", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SameIgnoringCase(c.a, c.b), c.same) << c.a << " | " << c.b;
    EXPECT_EQ(UpperCase(c.a) == UpperCase(c.b), c.same) << c.a;
    EXPECT_EQ(UpperCase(c.a).size(), std::string(c.a).size()) << c.a;
  }
  // Lists ordered without case put "_" after the letters, as capitals do.
  EXPECT_LT(UpperCase("b"), UpperCase("_a"));
}

}  // namespace
}  // namespace tarnwick
