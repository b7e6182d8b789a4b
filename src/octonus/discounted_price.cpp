#include "octonus/discounted_price.h"

#include <cmath>

#include "core/error.h"
#include "octonus/number_rules.h"

namespace tarnwick {

double DiscountedPrice(const spreadsheet::CellValue& price, int row, int column,
                       const DiscountCells* discounts,
                       const PriceRules& rules) {
  double p = LeadingNumber(CellText(price));
  if (discounts != nullptr) {
    for (int k = 1; k <= discounts->Levels(); ++k) {
      if (!discounts->HasLevel(k)) continue;
      double d = LeadingNumber(CellText(discounts->Cell(k, row, column)));
      double factor =
          rules.format == DiscountFormat::kMultiplier ? d : (100 - d) / 100;
      p *= factor;
    }
  }
  if (rules.round) p = RoundHalfEven(p, rules.digits);
  if (!std::isfinite(p)) {
    throw Error("the discounted price at row " + std::to_string(row) +
                ", column " + std::to_string(column) + " is too large");
  }
  return p;
}

}  // namespace tarnwick
