#include "octonus/discounted_price.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <map>
#include <tuple>

#include "octonus/number_rules.h"

namespace tarnwick {
namespace {

using spreadsheet::CellValue;

// Discount sheets in memory: (level, row, column) -> cell.
class FakeDiscounts : public DiscountCells {
 public:
  int levels = 0;
  std::map<int, bool> missing;
  std::map<std::tuple<int, int, int>, CellValue> cells;

  int Levels() const override { return levels; }
  bool HasLevel(int level) const override { return !missing.count(level); }
  CellValue Cell(int level, int row, int column) const override {
    auto it = cells.find({level, row, column});
    return it == cells.end() ? CellValue() : it->second;
  }
};

std::string Price(const CellValue& v, const FakeDiscounts* d,
                  PriceRules rules) {
  return NumberText(DiscountedPrice(v, 6, 2, d, rules));
}

TEST(DiscountedPriceTest, CompoundsTheLevelsInBothFormats) {
  FakeDiscounts one;
  one.levels = 1;
  one.cells[{1, 6, 2}] = CellValue::Number(0.9);
  EXPECT_EQ(Price(CellValue::Number(12500), &one, {}), "11250");

  FakeDiscounts percent;
  percent.levels = 1;
  percent.cells[{1, 6, 2}] = CellValue::Number(10);
  PriceRules off{DiscountFormat::kPercentOff, false, 0};
  EXPECT_EQ(Price(CellValue::Number(12500), &percent, off), "11250");

  FakeDiscounts two;
  two.levels = 2;
  two.cells[{1, 6, 2}] = CellValue::Number(10);
  two.cells[{2, 6, 2}] = CellValue::Text("5");
  EXPECT_EQ(Price(CellValue::Number(12500), &two, off), "10687.5");
  PriceRules off_rounded{DiscountFormat::kPercentOff, true, 0};
  EXPECT_EQ(Price(CellValue::Number(12500), &two, off_rounded), "10688");
}

TEST(DiscountedPriceTest, AnEmptyDiscountCellDependsOnTheFormat) {
  FakeDiscounts empty;
  empty.levels = 1;
  EXPECT_EQ(Price(CellValue::Number(12500), &empty, {}), "0");
  PriceRules off{DiscountFormat::kPercentOff, false, 0};
  EXPECT_EQ(Price(CellValue::Number(12500), &empty, off), "12500");
}

TEST(DiscountedPriceTest, AMissingLevelTakesNothingOff) {
  FakeDiscounts d;
  d.levels = 2;
  d.missing[1] = true;
  d.cells[{2, 6, 2}] = CellValue::Number(0.5);
  EXPECT_EQ(Price(CellValue::Number(1000), &d, {}), "500");
}

TEST(DiscountedPriceTest, APriceThatIsNoNumberIsZeroWhateverTheDiscounts) {
  FakeDiscounts negative;
  negative.levels = 1;
  negative.cells[{1, 6, 2}] = CellValue::Number(-0.9);
  EXPECT_EQ(Price(CellValue(), &negative, {}), "0");
  EXPECT_EQ(Price(CellValue::Text("N/A"), &negative, {}), "0");
  EXPECT_EQ(Price(CellValue::Text("12.5 ct"), nullptr, {}), "12.5");
}

TEST(DiscountedPriceTest, RoundsTheDiscountedDecimalAtTheChosenDigits) {
  FakeDiscounts d;
  d.levels = 1;
  d.cells[{1, 6, 2}] = CellValue::Number(0.95);
  EXPECT_EQ(Price(CellValue::Number(1234.5), &d, {}), "1172.775");
  PriceRules two{DiscountFormat::kMultiplier, true, 2};
  EXPECT_EQ(Price(CellValue::Number(1234.5), &d, two), "1172.78");
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

TEST(CellNumberTest, ReadsEveryCellAsTheLeadingNumberOfItsText) {
  const CellValue cases[] = {
      CellValue(),
      CellValue::Number(0),
      CellValue::Number(-0.0),
      CellValue::Number(12500),
      CellValue::Number(-7),
      CellValue::Number(123456789012345),
      CellValue::Number(1e15),
      CellValue::Number(1e16 + 2),
      CellValue::Number(0.95),
      CellValue::Number(1.0 / 3),
      CellValue::Number(0.1 + 0.2),
      CellValue::Number(1e300),
      CellValue::Number(1e-5),
      CellValue::Number(-1.5e-7),
      CellValue::Number(2551.7),
      CellValue::Number(-1234.5678),
      CellValue::Number(123456789012345.6),
      CellValue::Number(1e21),
      CellValue::Number(5e-324),
      CellValue::Number(-1e-310),
      CellValue::Number(1.5e300),
      CellValue::Text("12 ct"),
      CellValue::Text("N/A"),
      CellValue::Boolean(true),
  };
  for (const CellValue& v : cases) {
    EXPECT_EQ(CellNumber(v), LeadingNumber(CellText(v))) << CellText(v);
  }
  // Prices and factors as they come out of arithmetic, over many scales.
  std::uint64_t seed = 12345;
  for (int i = 0; i < 20000; ++i) {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    double unit = static_cast<double>(seed >> 11) / 9007199254740992.0;
    double x = unit * std::pow(10.0, i % 24 - 8);
    if (i % 3 == 0) x = std::round(x * 100) / 100;
    CellValue v = CellValue::Number(i % 2 ? x : -x);
    ASSERT_EQ(CellNumber(v), LeadingNumber(CellText(v))) << CellText(v);
  }
}

}  // namespace
}  // namespace tarnwick
