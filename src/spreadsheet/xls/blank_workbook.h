#ifndef TARNWICK_SPREADSHEET_XLS_BLANK_WORKBOOK_H_
#define TARNWICK_SPREADSHEET_XLS_BLANK_WORKBOOK_H_

#include <memory>
#include <string_view>

#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet::xls {

// The least a workbook needs for spreadsheet programs to open it: default
// fonts and formats, one worksheet "Sheet1".
BookData MakeBlankWorkbook();

// An empty worksheet's records (BOF, window settings, EOF).
std::shared_ptr<SheetData> MakeBlankSheet();

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_BLANK_WORKBOOK_H_
