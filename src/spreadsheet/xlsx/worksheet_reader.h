#ifndef TARNWICK_SPREADSHEET_XLSX_WORKSHEET_READER_H_
#define TARNWICK_SPREADSHEET_XLSX_WORKSHEET_READER_H_

#include <memory>
#include <string>
#include <vector>

#include "spreadsheet/package/sheet_builder.h"
#include "spreadsheet/package/zip_package.h"
#include "spreadsheet/xlsx/shared_strings.h"

namespace tarnwick::spreadsheet::xlsx {

struct WorksheetContext {
  const SharedStrings* shared_strings;
  bool date_1904 = false;  // how t="d" dates count
};

// Reads the cells of a worksheet part (<sheetData>) into `sheet`, each as
// the .xls reader gives it: a formula cell as its cached value. `what`
// names the file in errors. The part is handed over node by node as it is
// parsed: a sheet may hold a million cells, and walking them one by one
// would cost more than the parse.
void ReadWorksheet(std::unique_ptr<package::ZipPart> part,
                   const std::string& what, const WorksheetContext& context,
                   package::SheetBuilder& sheet);

}  // namespace tarnwick::spreadsheet::xlsx

#endif  // TARNWICK_SPREADSHEET_XLSX_WORKSHEET_READER_H_
