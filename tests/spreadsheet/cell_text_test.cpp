#include "spreadsheet/cell_text.h"

#include <gtest/gtest.h>

#include <string>

#include "core/error.h"

namespace tarnwick {
namespace {

using spreadsheet::CellValue;

TEST(CellTextTest, GivesTheTextACellShowsAndWhetherItIsNumeric) {
  const struct {
    CellValue value;
    std::string text;
    bool numeric;
  } cases[] = {
      {CellValue(), "", true},
      {CellValue::Number(0.30), "0.3", true},
      {CellValue::Text(" 12.5 "), " 12.5 ", true},
      {CellValue::Text(""), "", false},
      {CellValue::Text("12.5 ct"), "12.5 ct", false},
      {CellValue::Text("1,250"), "1,250", false},
      {CellValue::Boolean(true), "TRUE", false},
      {CellValue::Error(0x07), "#DIV/0!", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CellText(c.value), c.text);
    EXPECT_EQ(IsNumericValue(c.value), c.numeric) << c.text;
  }
  EXPECT_EQ(NumericValue(CellValue()), 0);
  EXPECT_EQ(NumericValue(CellValue::Text("1e2")), 100);
  EXPECT_EQ(ToInt16(CellValue::Text(" 11 ")), 11);
  EXPECT_EQ(ToInt16(CellValue()), 0);
  EXPECT_THROW(ToInt16(CellValue::Text("1,000")), Error);
}

}  // namespace
}  // namespace tarnwick
