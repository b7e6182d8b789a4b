#include "octonus/discount_sheets.h"

#include <cstring>

namespace tarnwick::octonus {
namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

double DiscountSheets::Apply(double price, int row, int column,
                             DiscountFormat format) const {
  for (Level& level : levels_) {
    if (!level.cells) continue;
    // Mostly the factor the level's last cell held, met again.
    double cell = 0;
    bool again = level.cells->NumberAt(row, column, &cell) &&
                 level.remembered && SameBits(level.cell, cell);
    double number = again ? level.number : NumberOf(level, row, column);
    price *= DiscountFactor(number, format);
  }
  return price;
}

double DiscountSheets::NumberOf(Level& l, int row, int column) const {
  double cell = 0;
  if (!l.cells->NumberAt(row, column, &cell)) {
    return CellNumber(l.cells->Cells(row, column));
  }
  if (!l.remembered || !SameBits(l.cell, cell)) {
    l.cell = cell;
    l.number = CellNumber(spreadsheet::CellValue::Number(cell));
    l.remembered = true;
  }
  return l.number;
}

}  // namespace tarnwick::octonus
