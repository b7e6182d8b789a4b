#include "import/csv/upper_case.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(UpperCaseTest, FoldsTheLettersOfWindows1252) {
  EXPECT_EQ(UpperCase("vvs1 si2"), "VVS1 SI2");
  EXPECT_EQ(UpperCase("\u00E9\u00E0\u00FE\u00FF\u0161\u0153\u017E"),
            "\u00C9\u00C0\u00DE\u0178\u0160\u0152\u017D");
  // The division sign, sharp s and euro sign have no capital.
  EXPECT_EQ(UpperCase("\u00F7\u00DF\u20AC"), "\u00F7\u00DF\u20AC");
}

TEST(UpperCaseTest, ComparesWholeTextsWithoutRegardToCase) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  } cases[] = {
      {"vs1", "VS1", true},       {"Fancy \u00E9", "FANCY \u00C9", true},
      {"\u00FF", "\u0178", true}, {"VS1", "VS1 ", false},
      {"VS 1", "VS1", false},     {"", "", true},
      {"\u00E9", "e", false},     {"I1", "l1", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EqualIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
  }
}

}  // namespace
}  // namespace tarnwick
