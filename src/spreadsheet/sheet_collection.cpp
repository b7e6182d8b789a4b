#include "core/error.h"
#include "spreadsheet/application.h"
#include "spreadsheet/sheet_names.h"
#include "spreadsheet/workbook_impl.h"

namespace tarnwick::spreadsheet {

int SheetCollection::Count() const {
  book_->impl().CheckOpen();
  if (!worksheets_only_) return static_cast<int>(book_->impl().sheets.size());
  int n = 0;
  for (const auto& sheet : book_->impl().sheets) {
    if (sheet->Kind() == SheetKind::kWorksheet) ++n;
  }
  return n;
}

Sheet& SheetCollection::Item(int index) const {
  Workbook::Impl& book = book_->impl();
  book.CheckOpen();
  int n = 0;
  for (const auto& sheet : book.sheets) {
    if (worksheets_only_ && sheet->Kind() != SheetKind::kWorksheet) continue;
    if (++n == index) return *sheet;
  }
  throw Error(book.Describe() + " has no sheet number " +
              std::to_string(index));
}

Sheet& SheetCollection::Item(std::string_view name) const {
  Workbook::Impl& book = book_->impl();
  book.CheckOpen();
  const std::vector<Sheet*>* named = book.Named(name);
  // A name held once needs no walk; names held twice (a workbook from
  // elsewhere may have them) go by the workbook's order.
  if (named != nullptr && named->size() == 1 &&
      (!worksheets_only_ || named->front()->Kind() == SheetKind::kWorksheet)) {
    return *named->front();
  }
  for (const auto& sheet : book.sheets) {
    if (named == nullptr) break;
    if (worksheets_only_ && sheet->Kind() != SheetKind::kWorksheet) continue;
    if (SameSheetName(sheet->Name(), name)) return *sheet;
  }
  throw Error(book.Describe() + " has no sheet \"" + std::string(name) + "\"");
}

}  // namespace tarnwick::spreadsheet
