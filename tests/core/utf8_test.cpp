#include "core/utf8.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tarnwick
