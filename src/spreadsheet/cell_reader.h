#ifndef TARNWICK_SPREADSHEET_CELL_READER_H_
#define TARNWICK_SPREADSHEET_CELL_READER_H_

#include <memory>
#include <string>

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
  // What the reader is for. A sheet read cell by cell for its values (a
  // price or a discount sheet) lays its numbers and shared texts out in one
  // block when it can, and decodes the rest of the sheet only if a cell of
  // another kind is read; what every read gives, failures included, is the
  // same either way.
  enum class Use { kAllCells, kValues };

  explicit CellReader(const Sheet& sheet, Use use = Use::kAllCells)
      : sheet_(&sheet), use_(use) {}
  // As Sheet::Cells; throws the same errors.
  CellValue Cells(int row, int column) const;
  // True, with the number, when the cell holds a number; otherwise false,
  // and Cells tells what it holds. A discount sheet is read this way, five
  // times for every price.
  bool NumberAt(int row, int column, double* number) const {
    if (!started_) Start();
    auto r = static_cast<unsigned>(row - 1);
    auto c = static_cast<unsigned>(column - 1);
    if (grid_ != nullptr) {
      if (grid_->KindAt(r, c) != xls::ValueGrid::kNumber) return false;
      *number = grid_->NumberAt(r, c);
      return true;
    }
    // Rows and columns past the sheet's are empty (or off the sheet).
    if (r >= data_->rows.size() || c >= data_->rows[r].cells.size()) {
      return false;
    }
    const xls::StoredCell& cell = data_->rows[r].cells[c];
    if (cell.kind != CellKind::kNumber) return false;
    *number = cell.number;
    return true;
  }

 private:
  // Checks the workbook, then lays out the value grid or decodes the sheet.
  void Start() const;
  const xls::SheetData& Data() const {
    if (data_ == nullptr) Fetch();
    return *data_;
  }
  void Fetch() const;

  const Sheet* sheet_;
  Use use_;
  mutable bool started_ = false;
  mutable std::shared_ptr<const xls::ValueGrid> grid_;
  mutable std::shared_ptr<const xls::SheetData> held_;
  mutable const xls::SheetData* data_ = nullptr;
};

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_CELL_READER_H_
