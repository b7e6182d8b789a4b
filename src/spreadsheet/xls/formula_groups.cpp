#include "spreadsheet/xls/formula_groups.h"

#include <algorithm>
#include <string_view>

#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/record.h"

namespace tarnwick::spreadsheet::xls {
namespace {

struct Range {
  std::size_t first_row, last_row, first_column, last_column;
};

// The range of the SHRFMLA, ARRAY or TABLE record in a formula cell's
// records, if one is there.
bool GroupRange(std::string_view chain, Range& range) {
  std::size_t at = 0;
  while (at + 4 <= chain.size()) {
    std::uint16_t type = GetU16(chain.data() + at);
    std::size_t length = GetU16(chain.data() + at + 2);
    if (at + 4 + length > chain.size()) return false;
    if ((type == rt::kShrFmla || type == rt::kArray || type == rt::kTable) &&
        length >= 6) {
      const char* p = chain.data() + at + 4;
      range = {GetU16(p), GetU16(p + 2), static_cast<unsigned char>(p[4]),
               static_cast<unsigned char>(p[5])};
      return true;
    }
    at += 4 + length;
  }
  return false;
}

// True when the cell's formula is only a pointer (PtgExp or PtgTbl) to the
// group whose top-left cell is (row, column).
bool PointsTo(std::string_view chain, std::size_t row, std::size_t column) {
  // Record header (4), FORMULA fields before the formula (20), its length (2).
  constexpr std::size_t kTokens = 4 + 20 + 2;
  if (chain.size() < kTokens + 5) return false;
  const char* t = chain.data() + kTokens;
  return (t[0] == 0x01 || t[0] == 0x02) && GetU16(t + 1) == row &&
         GetU16(t + 3) == column;
}

}  // namespace

void DetachFormulaGroup(SheetData& sheet, std::size_t row, std::size_t column) {
  if (row >= sheet.rows.size() || column >= sheet.rows[row].cells.size()) {
    return;
  }
  const StoredCell& master = sheet.rows[row].cells[column];
  Range range;
  if (!master.has_formula() || master.ref >= sheet.formulas.size() ||
      !GroupRange(sheet.formulas[master.ref], range)) {
    return;
  }
  std::size_t last_row = std::min(range.last_row, sheet.rows.size() - 1);
  for (std::size_t r = range.first_row; r <= last_row; ++r) {
    std::vector<StoredCell>& cells = sheet.rows[r].cells;
    if (cells.empty()) continue;
    std::size_t last_column = std::min(range.last_column, cells.size() - 1);
    for (std::size_t c = range.first_column; c <= last_column; ++c) {
      StoredCell& cell = cells[c];
      if (cell.has_formula() && cell.ref < sheet.formulas.size() &&
          PointsTo(sheet.formulas[cell.ref], row, column)) {
        DropFormula(sheet, cell);
      }
    }
  }
}

}  // namespace tarnwick::spreadsheet::xls
