#ifndef TARNWICK_SPREADSHEET_SHEET_IMPL_H_
#define TARNWICK_SPREADSHEET_SHEET_IMPL_H_

#include <memory>
#include <span>
#include <string>

#include "spreadsheet/application.h"
#include "spreadsheet/resident_sheets.h"
#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet {

// Throws the error of a read or write off the sheet; `sheet` as Describe()
// gives it.
[[noreturn]] void ThrowNoCellAt(const std::string& sheet, int row, int column);

class Sheet::Impl {
 public:
  static constexpr int kRows = 65536;
  static constexpr int kColumns = 256;

  Impl(Workbook* book, const xls::SheetEntry& entry);
  ~Impl();
  Impl(const Impl&) = delete;
  Impl& operator=(const Impl&) = delete;

  // The sheet's data, copied first when another workbook or sheet shares it.
  xls::SheetData& Mutable();
  // The sheet's data for reading, decoded first when it is not at hand. The
  // reference lasts until another sheet is decoded.
  const xls::SheetData& Data() const {
    if (!data_) Fetch();
    return *data_;
  }
  std::shared_ptr<const xls::SheetData> Shared() const {
    Data();
    return data_;
  }
  // The sheet as a workbook entry, sharing its data or its source.
  xls::SheetEntry Entry() const;
  bool HasCells() const { return data_ ? data_->has_cells : has_cells_; }
  void Release();
  // Lets cells held only for reading go; they are decoded again when read.
  void LetCellsGo();

  // Throws unless the workbook is open and the sheet holds cells.
  void CheckCells() const;
  void CheckPlace(int row, int column) const {
    if (row < 1 || row > kRows || column < 1 || column > kColumns) {
      NoCellAt(row, column);
    }
  }
  std::string Describe() const;  // sheet "Name" for messages

  // Writes a value (empty, number, text, boolean, error) into a cell.
  void Put(int row, int column, const CellValue& value) {
    CheckCells();
    PutChecked(row, column, value);
  }
  // The same once CheckCells has passed.
  void PutChecked(int row, int column, const CellValue& value);
  // Writes `values` into the cells of `row` from `column` on, once
  // CheckCells has passed.
  void PutRow(int row, int column, std::span<const CellValue> values);

  Workbook* book;
  std::string name;
  std::uint8_t visibility;
  std::uint8_t type;
  int origin;  // see xls::SheetEntry::origin

 private:
  xls::StoredCell& CellForWriting(int row, int column);
  [[noreturn, gnu::cold]] void NoCellAt(int row, int column) const;
  void Fetch() const;
  ResidentSheets* Resident() const;

  std::shared_ptr<const xls::SheetSource> source_;
  bool has_cells_;
  mutable std::shared_ptr<const xls::SheetData> data_;
  xls::SheetData* mutable_ = nullptr;
};

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_SHEET_IMPL_H_
