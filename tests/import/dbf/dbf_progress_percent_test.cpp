#include "import/dbf/dbf_progress_percent.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(DbfProgressPercentTest, RoundsExactHalvesToTheEvenNeighbour) {
  struct Case {
    double value, max;
    const char* text;
  };
  for (const Case& c :
       {Case{1, 8, "12%"}, Case{3, 8, "38%"}, Case{5, 8, "62%"},
        Case{7, 8, "88%"}, Case{1, 200, "0%"}, Case{3, 200, "2%"},
        Case{1, 3, "33%"}, Case{2, 3, "67%"}, Case{150, 150, "100%"},
        Case{1, 1, "100%"}}) {
    EXPECT_EQ(DbfProgressPercent(c.value, c.max), c.text)
        << c.value << "/" << c.max;
  }
}

TEST(DbfProgressPercentTest, ComputesInSinglePrecisionAsTheBarHoldsIt) {
  // 6291376 * 100 / 16777003 is 37.4999992... in double precision but
  // exactly 37.5 in single precision, which then goes to the even 38.
  EXPECT_EQ(DbfProgressPercent(6291376, 16777003), "38%");
}

}  // namespace
}  // namespace tarnwick
