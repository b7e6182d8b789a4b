#include "octonus/discounted_price.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "core/number_rules.h"
#include "octonus/discount_sheets.h"
#include "spreadsheet/cell_text.h"

namespace tarnwick {
namespace {

using spreadsheet::CellValue;

// Prices and factors are read without going through their text, and a
// discount sheet remembers its last factor; both must read every cell as
// the leading number of the text it shows.
TEST(CellNumberTest, ReadsEveryCellAsTheLeadingNumberOfItsText) {
  std::vector<CellValue> cells = {CellValue(), CellValue::Text("0.9 net"),
                                  CellValue::Boolean(true)};
  for (double x :
       {-0.0, 0.0, 123456789012345.0, 1e15, 1e16 + 2, 0.95, 0.95, 1.0 / 3,
        0.1 + 0.2, 1e-5, -1.5e-7, 123456789012345.6, 5e-324, 1.5e300}) {
    cells.push_back(CellValue::Number(x));
  }
  // Prices and factors as they come out of arithmetic, over many scales.
  std::uint64_t seed = 12345;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    double x = static_cast<double>(seed >> 11) / 9007199254740992.0 *
               std::pow(10.0, i % 24 - 8);
    if (i % 3 == 0) x = std::round(x * 100) / 100;
    cells.push_back(CellValue::Number(i % 2 ? x : -x));
  }
  spreadsheet::Application app;
  spreadsheet::Sheet& sheet = app.Workbooks().Add().Sheets().Item(1);
  for (int i = 0; i < std::ssize(cells); ++i) {
    sheet.SetCells(i + 1, 1, cells[i]);
  }
  // Read down the column as a conversion reads a discount sheet.
  octonus::DiscountSheets discounts(1);
  discounts.SetSheet(1, sheet);
  for (int i = 0; i < std::ssize(cells); ++i) {
    double expected = LeadingNumber(CellText(cells[i]));
    ASSERT_EQ(octonus::CellNumber(cells[i]), expected) << CellText(cells[i]);
    ASSERT_EQ(
        discounts.Apply(1, i + 1, 1, octonus::DiscountFormat::kMultiplier),
        expected)
        << CellText(cells[i]);
  }
}

}  // namespace
}  // namespace tarnwick
