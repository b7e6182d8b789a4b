// libFuzzer target for the .xlsx reader: any bytes must give a workbook or
// a tarnwick::Error, never a crash, a hang or a read out of bounds. An input
// that starts like a ZIP archive is read as a whole file; any other is the
// XML of a worksheet, followed after a NUL byte by the shared string table,
// packed into an archive with the other parts a workbook needs.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/error.h"
#include "fuzz/package_fuzz_zip.h"
#include "spreadsheet/package/zip_package.h"
#include "spreadsheet/xlsx/workbook_reader.h"

namespace {

constexpr std::string_view kContentTypes =
    R"(<?xml version="1.0"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"/>)";
constexpr std::string_view kWorkbook =
    R"(<?xml version="1.0"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>)";
constexpr std::string_view kWorkbookRels =
    R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>)";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace tarnwick::spreadsheet;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string packed;
  if (bytes.substr(0, 2) != "PK") {
    std::size_t nul = bytes.find('\0');
    std::string_view sheet = bytes.substr(0, nul);
    std::string_view strings =
        nul == std::string_view::npos ? "<sst/>" : bytes.substr(nul + 1);
    packed = PackParts({{"[Content_Types].xml", kContentTypes},
                        {"xl/workbook.xml", kWorkbook},
                        {"xl/_rels/workbook.xml.rels", kWorkbookRels},
                        {"xl/sharedStrings.xml", strings},
                        {"xl/worksheets/sheet1.xml", sheet}});
    bytes = packed;
  }
  try {
    xls::BookData book = xlsx::ReadXlsxWorkbook(
        std::make_shared<package::ZipPackage>(bytes, "fuzz.xlsx"));
    for (const xls::SheetEntry& sheet : book.sheets) sheet.Data();
  } catch (const tarnwick::Error&) {
  }
  return 0;
}
