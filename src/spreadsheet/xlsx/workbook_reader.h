#ifndef TARNWICK_SPREADSHEET_XLSX_WORKBOOK_READER_H_
#define TARNWICK_SPREADSHEET_XLSX_WORKBOOK_READER_H_

#include <string_view>

#include "spreadsheet/package/zip_package.h"
#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet::xlsx {

// Whether the package is an Office Open XML workbook.
bool IsXlsxPackage(const package::ZipPackage& zip);

// Reads an Office Open XML workbook (.xlsx, .xlsm) into the sheets and
// cells the .xls reader gives: names and order as the workbook lists them,
// a chart sheet as a sheet without cells. Every failure is an Error whose
// reason starts with the file's name.
xls::BookData ReadXlsxWorkbook(package::ZipPackage& zip);

}  // namespace tarnwick::spreadsheet::xlsx

#endif  // TARNWICK_SPREADSHEET_XLSX_WORKBOOK_READER_H_
