#include "octonus/discounted_price.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "core/error.h"
#include "core/number_rules.h"
#include "octonus/discount_sheets.h"
#include "spreadsheet/cell_text.h"

namespace tarnwick::octonus {

double CellNumber(const spreadsheet::CellValue& v) {
  using spreadsheet::CellKind;
  if (v.kind() == CellKind::kEmpty) return 0;
  if (v.kind() == CellKind::kNumber) {
    double x = v.number();
    if (x == 0) return 0;
    if (NumberTextReadsBack(x)) return x;
  }
  return LeadingNumber(CellText(v));
}

double DiscountedPrice(const spreadsheet::CellValue& price, int row, int column,
                       const DiscountSheets* discounts,
                       const PriceRules& rules) {
  double p = CellNumber(price);
  if (discounts != nullptr) p = discounts->Apply(p, row, column, rules.format);
  if (rules.round) p = RoundHalfEven(p, rules.digits);
  if (!std::isfinite(p)) {
    throw Error("the discounted price at row " + std::to_string(row) +
                ", column " + std::to_string(column) + " is too large");
  }
  return p;
}

}  // namespace tarnwick::octonus
