#include "spreadsheet/cell_text.h"

#include <gtest/gtest.h>

#include <utility>

namespace tarnwick {
namespace {

using spreadsheet::CellValue;

// A text cell shows its text as it is, and counts as a number only when it
// is one as a whole.
TEST(CellTextTest, ATextIsNumericOnlyWhenItIsANumberAsAWhole) {
  const std::pair<const char*, bool> cases[] = {
      {" 12.5 ", true}, {"", false}, {"12.5 ct", false}, {"1,250", false}};
  for (const auto& [text, numeric] : cases) {
    EXPECT_EQ(IsNumericValue(CellValue::Text(text)), numeric) << text;
  }
  EXPECT_EQ(CellText(CellValue::Text(" 12.5 ")), " 12.5 ");
  EXPECT_EQ(NumericValue(CellValue()), 0);
  EXPECT_EQ(NumericValue(CellValue::Text("1e2")), 100);
  EXPECT_EQ(ToInt16(CellValue::Text(" 11 ")), 11);
  EXPECT_EQ(ToInt16(CellValue()), 0);
}

}  // namespace
}  // namespace tarnwick
