#include "spreadsheet/xls/rk_number.h"

#include <gtest/gtest.h>

#include <limits>

namespace tarnwick::spreadsheet::xls {
namespace {

TEST(RkNumberTest, NumbersTakeTheSmallestExactForm) {
  const struct {
    double x;
    std::optional<std::uint32_t> rk;
  } cases[] = {
      {0, 0x00000002},
      {1, 0x00000006},
      {-1, 0xFFFFFFFE},
      {536870911, 0x7FFFFFFE},   // the largest 30-bit integer
      {-536870912, 0x80000002},  // the smallest
      {536870912, 0x41C00000},   // too large for 30 bits: a short double
      {0.5, 0x3FE00000},         // a double whose low 34 bits are zero
      {12.34, 0x0000134B},       // 1234 / 100
      {-0.01, 0xFFFFFFFF},       // -1 / 100
      {1234.56, 0x00078903},     // 123456 / 100
      {0.1, 0x0000002B},         // 10 / 100
      {1.0 / 3, std::nullopt},   // needs every bit of a double
      {123456789.25, std::nullopt},
      {1e300, std::nullopt},
      {-0.0, std::nullopt},  // a negative zero stays what it is
      {std::numeric_limits<double>::infinity(), std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeRk(c.x), c.rk) << c.x;
    if (c.rk) {
      EXPECT_EQ(DecodeRk(*c.rk), c.x) << c.x;
    }
  }
}

}  // namespace
}  // namespace tarnwick::spreadsheet::xls
