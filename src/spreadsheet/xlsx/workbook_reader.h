#ifndef TARNWICK_SPREADSHEET_XLSX_WORKBOOK_READER_H_
#define TARNWICK_SPREADSHEET_XLSX_WORKBOOK_READER_H_

#include <memory>

#include "spreadsheet/package/zip_package.h"
#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet::xlsx {

// Whether the package is an Office Open XML workbook.
bool IsXlsxPackage(const package::ZipPackage& zip);

// Reads an Office Open XML workbook (.xlsx, .xlsm) into the sheets and
// cells the .xls reader gives: names and order as the workbook lists them,
// a chart sheet as a sheet without cells. Opening it reads the sheet list
// and the shared strings; each sheet's part is read when the sheet is first
// wanted, from `zip`, which the workbook keeps. Every failure is an Error
// whose reason starts with the file's name.
xls::BookData ReadXlsxWorkbook(std::shared_ptr<package::ZipPackage> zip);

}  // namespace tarnwick::spreadsheet::xlsx

#endif  // TARNWICK_SPREADSHEET_XLSX_WORKBOOK_READER_H_
