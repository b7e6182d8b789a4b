#include "octonus/discount_sheets.h"

#include <gtest/gtest.h>

#include "octonus/number_rules.h"

namespace tarnwick {
namespace {

using spreadsheet::CellValue;

TEST(DiscountSheetsTest, NumbersFollowTheCellsAsTheyChange) {
  spreadsheet::Application app;
  spreadsheet::Workbook& book = app.Workbooks().Add();
  spreadsheet::Sheet& sheet = book.Sheets().Item(1);
  const CellValue cells[] = {
      CellValue::Number(0.95),
      CellValue::Number(0.95),
      CellValue::Number(0.1 + 0.2),
      CellValue::Text("0.9 net"),
      CellValue(),
      CellValue::Number(0.95),
      CellValue::Number(1.0 / 3),
  };
  int column = 1;
  for (const CellValue& v : cells) sheet.SetCells(1, column++, v);

  DiscountSheets discounts(2);
  discounts.SetSheet(2, sheet);
  EXPECT_FALSE(discounts.HasLevel(1));
  EXPECT_TRUE(discounts.HasLevel(2));
  column = 1;
  for (const CellValue& v : cells) {
    EXPECT_EQ(discounts.Number(2, 1, column++), LeadingNumber(CellText(v)))
        << CellText(v);
  }
}

}  // namespace
}  // namespace tarnwick
