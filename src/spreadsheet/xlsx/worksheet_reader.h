#ifndef TARNWICK_SPREADSHEET_XLSX_WORKSHEET_READER_H_
#define TARNWICK_SPREADSHEET_XLSX_WORKSHEET_READER_H_

#include <string>
#include <vector>

#include "spreadsheet/package/sheet_builder.h"
#include "spreadsheet/package/xml_part.h"

namespace tarnwick::spreadsheet::xlsx {

struct WorksheetContext {
  const std::vector<std::string>* shared_strings;
  bool date_1904 = false;  // how t="d" dates count
};

// Reads the cells of a worksheet part (<sheetData>) into `sheet`, each as
// the .xls reader gives it: a formula cell as its cached value.
void ReadWorksheet(package::XmlPart& xml, const WorksheetContext& context,
                   package::SheetBuilder& sheet);

}  // namespace tarnwick::spreadsheet::xlsx

#endif  // TARNWICK_SPREADSHEET_XLSX_WORKSHEET_READER_H_
