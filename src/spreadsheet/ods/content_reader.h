#ifndef TARNWICK_SPREADSHEET_ODS_CONTENT_READER_H_
#define TARNWICK_SPREADSHEET_ODS_CONTENT_READER_H_

#include "spreadsheet/package/zip_package.h"
#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet::ods {

// Whether the package is an OpenDocument document (of any kind).
bool IsOdfPackage(const package::ZipPackage& zip);

// Reads an OpenDocument spreadsheet (.ods) into the sheets and cells the
// .xls reader gives. Rows and cells repeated with nothing in them cost
// nothing; a repeat of cells with something in them that would go past the
// sheet's last row or column is refused. Every failure is an Error whose
// reason starts with the file's name.
xls::BookData ReadOdsWorkbook(package::ZipPackage& zip);

}  // namespace tarnwick::spreadsheet::ods

#endif  // TARNWICK_SPREADSHEET_ODS_CONTENT_READER_H_
