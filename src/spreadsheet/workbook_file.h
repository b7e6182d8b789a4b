#ifndef TARNWICK_SPREADSHEET_WORKBOOK_FILE_H_
#define TARNWICK_SPREADSHEET_WORKBOOK_FILE_H_

#include <memory>
#include <string_view>

#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet {

// Reads a workbook file held in memory in whichever format it is: its
// bytes tell, not its name, so a workbook saved under another format's
// name still reads. A ZIP archive is an Office Open XML (.xlsx) or
// OpenDocument (.ods) workbook; anything else goes to the Excel 97-2003
// reader, which says what the bytes are when they are no workbook. Every
// failure is an Error whose reason starts with `what` (the file's name).
xls::BookData ReadWorkbookFile(std::string_view file_bytes,
                               std::shared_ptr<const void> owner,
                               std::string_view what);

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_WORKBOOK_FILE_H_
