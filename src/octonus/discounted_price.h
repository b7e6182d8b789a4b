#ifndef TARNWICK_OCTONUS_DISCOUNTED_PRICE_H_
#define TARNWICK_OCTONUS_DISCOUNTED_PRICE_H_

#include "spreadsheet/cell_value.h"

namespace tarnwick::octonus {

// The discount format: what a discount cell holds.
enum class DiscountFormat {
  kMultiplier,  // "0.##": 0.9 takes 10 % off
  kPercentOff,  // "100%": 10 takes 10 % off
};

class DiscountSheets;

// The factor a discount cell's number stands for.
inline double DiscountFactor(double number, DiscountFormat format) {
  return format == DiscountFormat::kMultiplier ? number : (100 - number) / 100;
}

// The leading number of the text a cell shows, as a price or discount cell
// is read; a whole number or an empty cell needs no text on the way.
double CellNumber(const spreadsheet::CellValue& v);

struct PriceRules {
  DiscountFormat format = DiscountFormat::kMultiplier;
  bool round = false;  // the rounding flag
  int digits = 0;      // D, digits kept when rounding
};

// The price of the grid cell at (row, column) after every discount level,
// compounded in order 1..n, and the rounding. A cell that holds no number
// gives 0; `discounts` may be null for level 0. Throws Error when the result
// is no finite number.
double DiscountedPrice(const spreadsheet::CellValue& price, int row, int column,
                       const DiscountSheets* discounts,
                       const PriceRules& rules);

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_DISCOUNTED_PRICE_H_
