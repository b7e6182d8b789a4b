#include "core/percent_text.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(PercentTextTest, WholePercentAHalfGoingToTheEvenNeighbour) {
  struct Case {
    double value, maximum;
    const char* shown;
  } cases[] = {
      {0, 5, "0%"},   {1, 8, "12%"},  {3, 8, "38%"},      {5, 8, "62%"},
      {7, 8, "88%"},  {1, 3, "33%"},  {2, 3, "67%"},      {8, 8, "100%"},
      {3, 2, "100%"}, {1, 0, "100%"}, {199, 200, "100%"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PercentText(c.value, c.maximum), c.shown)
        << c.value << " of " << c.maximum;
  }
}

}  // namespace
}  // namespace tarnwick
