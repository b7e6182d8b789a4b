#ifndef TARNWICK_SPREADSHEET_XLS_CELL_RECORDS_H_
#define TARNWICK_SPREADSHEET_XLS_CELL_RECORDS_H_

// Decoding the cell records of a sheet substream into stored cells.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "spreadsheet/xls/book_data.h"
#include "spreadsheet/xls/record_reader.h"

namespace tarnwick::spreadsheet::xls {

// True for the records that carry cells or rows (regenerated on saving).
bool IsCellRecord(std::uint16_t type);

struct CellContext {
  const std::vector<std::string>* strings;  // the shared string table
  std::string_view what;
  // Columns a row is likely to use, from the sheet's DIMENSIONS record, so
  // that a row's cells are allocated once rather than grown cell by cell.
  std::uint16_t row_width = 16;
};

// Decodes `record` (one for which IsCellRecord holds) into `sheet`. Records
// that belong to it (CONTINUE, the STRING and SHRFMLA after a FORMULA) are
// taken from `reader`.
void ReadCellRecord(const RecordView& record, RecordReader& reader,
                    const CellContext& context, SheetData& sheet);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_CELL_RECORDS_H_
