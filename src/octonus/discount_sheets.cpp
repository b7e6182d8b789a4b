#include "octonus/discount_sheets.h"

#include <cstring>

namespace tarnwick {
namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

double DiscountSheets::Number(int level, int row, int column) const {
  Level& l = levels_[level - 1];
  spreadsheet::CellValue v = l.sheet->Cells(row, column);
  if (v.kind() != spreadsheet::CellKind::kNumber) return CellNumber(v);
  if (!l.remembered || !SameBits(l.cell, v.number())) {
    l.cell = v.number();
    l.number = CellNumber(v);
    l.remembered = true;
  }
  return l.number;
}

}  // namespace tarnwick
