#include "spreadsheet/workbook_file.h"

#include <string>

#include "core/error.h"
#include "spreadsheet/ods/content_reader.h"
#include "spreadsheet/package/zip_package.h"
#include "spreadsheet/xls/workbook_reader.h"
#include "spreadsheet/xlsx/workbook_reader.h"

namespace tarnwick::spreadsheet {

xls::BookData ReadWorkbookFile(std::string_view file_bytes,
                               std::shared_ptr<const void> owner,
                               std::string_view what) {
  std::string_view signature = file_bytes.substr(0, 4);
  if (signature != std::string_view("PK\x03\x04", 4) &&
      signature != std::string_view("PK\x05\x06", 4)) {
    return xls::ReadWorkbook(file_bytes, std::move(owner), what);
  }
  // An .xlsx workbook reads its sheets from the file later on.
  if (!owner) {
    auto copy = std::make_shared<const std::string>(file_bytes);
    file_bytes = *copy;
    owner = std::move(copy);
  }
  auto zip = std::make_shared<package::ZipPackage>(
      file_bytes, std::string(what), std::move(owner));
  if (xlsx::IsXlsxPackage(*zip)) return xlsx::ReadXlsxWorkbook(std::move(zip));
  if (ods::IsOdfPackage(*zip)) return ods::ReadOdsWorkbook(*zip);
  throw Error(std::string(what) +
              ": not a workbook (a ZIP archive, but neither an .xlsx nor an "
              ".ods workbook)");
}

}  // namespace tarnwick::spreadsheet
