#include "spreadsheet/cell_reader.h"

#include "spreadsheet/sheet_impl.h"
#include "spreadsheet/workbook_impl.h"

namespace tarnwick::spreadsheet {
namespace {

// The stored cell at a place on the sheet, or null for an empty one. Places
// off the sheet are for Sheet::Cells to refuse.
const xls::StoredCell* Find(const xls::SheetData& data, int row, int column) {
  auto r = static_cast<std::size_t>(row - 1);
  auto c = static_cast<std::size_t>(column - 1);
  if (r >= data.rows.size() || c >= data.rows[r].cells.size()) return nullptr;
  return &data.rows[r].cells[c];
}

bool OnSheet(int row, int column) {
  return row >= 1 && row <= Sheet::Impl::kRows && column >= 1 &&
         column <= Sheet::Impl::kColumns;
}

}  // namespace

void CellReader::Start() const {
  started_ = true;
  const Sheet::Impl& impl = sheet_->impl();
  impl.book->impl().CheckOpen();
  xls::SheetEntry entry = impl.Entry();
  // Cells decoded already, or written to, are read as they stand.
  if (entry.data) {
    held_ = std::move(entry.data);
    data_ = held_.get();
    return;
  }
  if (use_ == Use::kValues && entry.source) {
    grid_ = entry.source->DecodeValues();
  }
  if (grid_ == nullptr) Fetch();
}

void CellReader::Fetch() const {
  sheet_->impl().book->impl().CheckOpen();
  held_ = sheet_->impl().Shared();
  data_ = held_.get();
}

CellValue CellReader::Cells(int row, int column) const {
  if (!OnSheet(row, column)) return sheet_->Cells(row, column);  // throws
  if (!started_) Start();
  if (grid_ != nullptr) {
    auto r = static_cast<unsigned>(row - 1);
    auto c = static_cast<unsigned>(column - 1);
    switch (grid_->KindAt(r, c)) {
      case xls::ValueGrid::kEmpty:
        return CellValue();
      case xls::ValueGrid::kNumber:
        return CellValue::Number(grid_->NumberAt(r, c));
      case xls::ValueGrid::kText:
        return CellValue::Text(grid_->TextAt(r, c));
      case xls::ValueGrid::kOther:
        break;  // the sheet itself tells
    }
  }
  const xls::StoredCell* cell = Find(Data(), row, column);
  return cell ? xls::ValueOf(*data_, *cell) : CellValue();
}

}  // namespace tarnwick::spreadsheet
