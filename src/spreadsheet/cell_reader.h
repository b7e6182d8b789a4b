#ifndef TARNWICK_SPREADSHEET_CELL_READER_H_
#define TARNWICK_SPREADSHEET_CELL_READER_H_

#include <memory>

#include "spreadsheet/application.h"
#include "spreadsheet/cell_value.h"
#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet {

// Reads one sheet's cells over and over, as the table writer does with a
// price sheet and its discount sheets: the values Sheet::Cells gives, with
// the workbook's checks made once rather than for every cell. The cells are
// decoded on the first read, as Sheet::Cells would, and held from then on as
// they were: what is written to the sheet afterwards is not seen.
class CellReader {
 public:
  explicit CellReader(const Sheet& sheet) : sheet_(&sheet) {}

  // As Sheet::Cells; throws the same errors.
  CellValue Cells(int row, int column) const;
  // True, with the number, when the cell holds a number; otherwise false,
  // and Cells tells what it holds. A discount sheet is read this way, five
  // times for every price.
  bool NumberAt(int row, int column, double* number) const {
    auto r = static_cast<unsigned>(row - 1);
    auto c = static_cast<unsigned>(column - 1);
    const xls::SheetData& data = Data();
    // Rows and columns past the sheet's are empty (or off the sheet).
    if (r >= data.rows.size() || c >= data.rows[r].cells.size()) return false;
    const xls::StoredCell& cell = data.rows[r].cells[c];
    if (cell.kind != CellKind::kNumber) return false;
    *number = cell.number;
    return true;
  }

 private:
  const xls::SheetData& Data() const {
    if (data_ == nullptr) Fetch();
    return *data_;
  }
  void Fetch() const;

  const Sheet* sheet_;
  mutable std::shared_ptr<const xls::SheetData> held_;
  mutable const xls::SheetData* data_ = nullptr;
};

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_CELL_READER_H_
