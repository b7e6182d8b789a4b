#ifndef TARNWICK_SPREADSHEET_SHEET_IMPL_H_
#define TARNWICK_SPREADSHEET_SHEET_IMPL_H_

#include <memory>
#include <string>

#include "spreadsheet/application.h"
#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet {

class Sheet::Impl {
 public:
  Impl(Workbook* book, const xls::SheetEntry& entry);

  // The sheet's data, copied first when another workbook or sheet shares it.
  xls::SheetData& Mutable();
  const xls::SheetData& Data() const { return *data_; }
  std::shared_ptr<const xls::SheetData> Shared() const { return data_; }
  void Release() {
    data_.reset();
    mutable_ = nullptr;
  }

  // Throws unless the workbook is open and the sheet holds cells.
  void CheckCells() const;
  void CheckPlace(int row, int column) const;
  std::string Describe() const;  // sheet "Name" for messages

  // Writes a value (empty, number, text, boolean, error) into a cell.
  void Put(int row, int column, const CellValue& value);

  Workbook* book;
  std::string name;
  std::uint8_t visibility;
  std::uint8_t type;
  int origin;  // see xls::SheetEntry::origin

 private:
  xls::StoredCell& CellForWriting(int row, int column);

  std::shared_ptr<const xls::SheetData> data_;
  xls::SheetData* mutable_ = nullptr;
};

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_SHEET_IMPL_H_
