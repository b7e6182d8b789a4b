// libFuzzer target for the .ods reader: any bytes must give a workbook or a
// tarnwick::Error, never a crash, a hang or a read out of bounds. An input
// that starts like a ZIP archive is read as a whole file; any other is the
// XML of content.xml, packed into an archive with the mimetype.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/error.h"
#include "fuzz/package_fuzz_zip.h"
#include "spreadsheet/ods/content_reader.h"
#include "spreadsheet/package/zip_package.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace tarnwick::spreadsheet;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string packed;
  if (bytes.substr(0, 2) != "PK") {
    packed = PackParts(
        {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
         {"content.xml", bytes}});
    bytes = packed;
  }
  try {
    package::ZipPackage zip(bytes, "fuzz.ods");
    xls::BookData book = ods::ReadOdsWorkbook(zip);
    for (const xls::SheetEntry& sheet : book.sheets) sheet.Data();
  } catch (const tarnwick::Error&) {
  }
  return 0;
}
