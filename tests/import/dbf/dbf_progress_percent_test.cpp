#include "import/dbf/dbf_progress_percent.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

// The import's own percentages (12.5 gives 12, 37.5 gives 38) are pinned by
// the table conversion; this guards the precision a real table cannot reach.
TEST(DbfProgressPercentTest, ComputesInSinglePrecisionAsTheBarHoldsIt) {
  // 6291376 * 100 / 16777003 is 37.4999992... in double precision but
  // exactly 37.5 in single precision, which then goes to the even 38.
  EXPECT_EQ(DbfProgressPercent(6291376, 16777003), "38%");
}

}  // namespace
}  // namespace tarnwick
