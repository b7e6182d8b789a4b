#include "core/letter_case.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

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
