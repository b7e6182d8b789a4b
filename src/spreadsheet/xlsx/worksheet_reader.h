#ifndef TARNWICK_SPREADSHEET_XLSX_WORKSHEET_READER_H_
#define TARNWICK_SPREADSHEET_XLSX_WORKSHEET_READER_H_

#include <memory>
#include <string>
#include <string_view>
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
// the .xls reader gives it: a formula cell as its cached value. The part is
// unpacked whole and read by the scanner of worksheet_scanner.h; one it
// declines, or one that cannot be unpacked, is read again by libxml2's SAX
// parser, straight from the archive, node by node: a sheet may hold a
// million cells, and walking them one by one would cost more than the parse.
void ReadWorksheet(package::ZipPackage& zip, const std::string& part,
                   const WorksheetContext& context,
                   package::SheetBuilder& sheet);

// The two ways of ReadWorksheet, which must give the same cells. The
// scanner's gives false when it declines the part or meets a fault in it,
// `sheet` then holding what it was given; `where` is "<file>: <part>".
bool ScanWorksheet(std::string_view xml, const std::string& where,
                   const WorksheetContext& context,
                   package::SheetBuilder& sheet);
void ParseWorksheet(std::unique_ptr<package::ZipPart> part,
                    const std::string& what, const WorksheetContext& context,
                    package::SheetBuilder& sheet);

}  // namespace tarnwick::spreadsheet::xlsx

#endif  // TARNWICK_SPREADSHEET_XLSX_WORKSHEET_READER_H_
