#ifndef TARNWICK_SPREADSHEET_XLS_WORKBOOK_READER_H_
#define TARNWICK_SPREADSHEET_XLS_WORKBOOK_READER_H_

#include <memory>
#include <string_view>

#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet::xls {

// Reads an Excel 97-2003 or Excel 5.0/95 workbook file held in memory,
// decrypting one that Excel encrypted with its default password (see
// file_pass.h); the version comes from the first BOF. Every failure is an
// Error whose reason starts with `what` (the file's name). The sheets are
// decoded when first wanted (see SheetSource), from a copy of the stream.
BookData ReadWorkbook(std::string_view file_bytes, std::string_view what);
// The same over bytes that `owner` keeps unchanged for as long as it lives:
// the sheets are then decoded from the file's own bytes where the stream
// lies whole in them.
BookData ReadWorkbook(std::string_view file_bytes,
                      std::shared_ptr<const void> owner, std::string_view what);

// Reads the record stream of a workbook (the Workbook or Book stream).
BookData ParseWorkbookStream(std::string_view stream, std::string_view what);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_WORKBOOK_READER_H_
