#ifndef TARNWICK_SPREADSHEET_XLS_WORKBOOK_WRITER_H_
#define TARNWICK_SPREADSHEET_XLS_WORKBOOK_WRITER_H_

#include <string>

#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet::xls {

// The BIFF8 record stream of `book`: the kept records as they were, the
// sheet list, string table, dimensions, rows and cells made afresh.
std::string WriteWorkbookStream(const BookData& book);

// Writes the whole .xls file to `path`; throws Error.
void WriteWorkbook(const BookData& book, const std::string& path);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_WORKBOOK_WRITER_H_
