#ifndef TARNWICK_SPREADSHEET_XLS_FORMULA_GROUPS_H_
#define TARNWICK_SPREADSHEET_XLS_FORMULA_GROUPS_H_

#include <cstddef>

#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet::xls {

// A shared, array or table formula lives in the records after the FORMULA
// of its top-left cell; the other cells of its range only point there. When
// that cell is about to be overwritten, the cells that point to it keep
// their last results as plain values, so no cell is left pointing at a
// formula that is gone. `row` and `column` are 0-based.
void DetachFormulaGroup(SheetData& sheet, std::size_t row, std::size_t column);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_FORMULA_GROUPS_H_
