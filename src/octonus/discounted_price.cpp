#include "octonus/discounted_price.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "core/error.h"
#include "octonus/number_rules.h"

namespace tarnwick {

namespace {

// True when the text a number cell shows reads back as the same number: a
// double whose shortest exact decimal form has at most 15 digits is shown
// with exactly those digits. Trailing zeros of a whole number are counted
// too, which only ever sends a number the long way round.
bool ShowsItself(double x) {
  // Numbers near the bottom of the double range, no price or factor
  // anyone writes, keep the long way whatever the text reader does there.
  if (!std::isfinite(x) || std::fabs(x) < 1e-290) return false;
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, x);
  if (ec != std::errc()) return false;
  int digits = 0;
  bool leading = true;
  for (const char* p = buf; p != end && *p != 'e'; ++p) {
    if (*p < '0' || *p > '9') continue;
    if (leading && *p == '0') continue;
    leading = false;
    ++digits;
  }
  return digits <= 15;
}

}  // namespace

double DiscountCells::Number(int level, int row, int column) const {
  return CellNumber(Cell(level, row, column));
}

double CellNumber(const spreadsheet::CellValue& v) {
  using spreadsheet::CellKind;
  if (v.kind() == CellKind::kEmpty) return 0;
  if (v.kind() == CellKind::kNumber) {
    double x = v.number();
    if (x == 0) return 0;
    if (ShowsItself(x)) return x;
  }
  return LeadingNumber(CellText(v));
}

double DiscountedPrice(const spreadsheet::CellValue& price, int row, int column,
                       const DiscountCells* discounts,
                       const PriceRules& rules) {
  double p = CellNumber(price);
  if (discounts != nullptr) {
    for (int k = 1; k <= discounts->Levels(); ++k) {
      if (!discounts->HasLevel(k)) continue;
      double d = discounts->Number(k, row, column);
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
