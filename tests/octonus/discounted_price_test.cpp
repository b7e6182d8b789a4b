#include "octonus/discounted_price.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/number_rules.h"
#include "octonus/discount_sheets.h"
#include "spreadsheet/cell_text.h"

namespace tarnwick {
namespace {

using spreadsheet::CellValue;

// Discount sheets in memory, one cell per level; a level with no cell
// given has no workbook.
class FakeDiscounts : public octonus::DiscountCells {
 public:
  std::vector<std::vector<CellValue>> levels;
  int Levels() const override { return static_cast<int>(levels.size()); }
  bool HasLevel(int level) const override { return !levels[level - 1].empty(); }
  CellValue Cell(int level, int, int) const override {
    return levels[level - 1][0];
  }
};

CellValue Num(double x) { return CellValue::Number(x); }

TEST(DiscountedPriceTest, CompoundsTheLevelsThenRoundsTheShownDecimal) {
  const CellValue kNone;
  const octonus::PriceRules kTimes;
  const octonus::PriceRules kOff{octonus::DiscountFormat::kPercentOff, false,
                                 0};
  const octonus::PriceRules kTwoDigits{octonus::DiscountFormat::kMultiplier,
                                       true, 2};
  struct Case {
    CellValue price;
    std::vector<std::vector<CellValue>> levels;
    octonus::PriceRules rules;
    std::string written;
  } cases[] = {
      {Num(12500), {{Num(10)}, {CellValue::Text("5")}}, kOff, "10687.5"},
      {Num(1234.5), {{Num(0.95)}}, kTimes, "1172.775"},
      {Num(1234.5), {{Num(0.95)}}, kTwoDigits, "1172.78"},
      {Num(1000), {{}, {Num(0.5)}}, kTimes, "500"},  // level 1 missing
      // No number in the price cell: 0, never -0, whatever the factors.
      {kNone, {{Num(-0.9)}}, kTimes, "0"},
      {CellValue::Text("N/A"), {{Num(-0.9)}}, kTimes, "0"},
      {CellValue::Text("12.5 ct"), {}, kTimes, "12.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.written);
    FakeDiscounts discounts;
    discounts.levels = c.levels;
    EXPECT_EQ(NumberText(
                  octonus::DiscountedPrice(c.price, 6, 2, &discounts, c.rules)),
              c.written);
  }
}

// Prices and factors are read without going through their text, and a
// discount sheet remembers its last factor; both must read every cell as
// the leading number of the text it shows.
TEST(CellNumberTest, ReadsEveryCellAsTheLeadingNumberOfItsText) {
  std::vector<CellValue> cells = {CellValue(), CellValue::Text("0.9 net"),
                                  CellValue::Boolean(true)};
  for (double x :
       {-0.0, 0.0, 123456789012345.0, 1e15, 1e16 + 2, 0.95, 0.95, 1.0 / 3,
        0.1 + 0.2, 1e-5, -1.5e-7, 123456789012345.6, 5e-324, 1.5e300}) {
    cells.push_back(Num(x));
  }
  // Prices and factors as they come out of arithmetic, over many scales.
  std::uint64_t seed = 12345;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    double x = static_cast<double>(seed >> 11) / 9007199254740992.0 *
               std::pow(10.0, i % 24 - 8);
    if (i % 3 == 0) x = std::round(x * 100) / 100;
    cells.push_back(Num(i % 2 ? x : -x));
  }
  spreadsheet::Application app;
  spreadsheet::Sheet& sheet = app.Workbooks().Add().Sheets().Item(1);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    sheet.SetCells(static_cast<int>(i) + 1, 1, cells[i]);
  }
  // Read down the column as a conversion reads a discount sheet.
  octonus::DiscountSheets discounts(1);
  discounts.SetSheet(1, sheet);
  for (std::size_t i = 0; i < cells.size(); ++i) {
    double expected = LeadingNumber(CellText(cells[i]));
    ASSERT_EQ(octonus::CellNumber(cells[i]), expected) << CellText(cells[i]);
    ASSERT_EQ(discounts.Number(1, static_cast<int>(i) + 1, 1), expected)
        << CellText(cells[i]);
  }
}

}  // namespace
}  // namespace tarnwick
