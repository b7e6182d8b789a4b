// libFuzzer target for the workbook reader: any bytes must give a workbook
// or a tarnwick::Error, never a crash, a hang or a read out of bounds.
// Inputs that start like a compound file go through the whole file reader;
// others are taken as a Workbook stream, which reaches the record parsing
// far more often than random compound files would. The seeds include
// encrypted and Excel 5.0/95 workbooks, so decryption and the older records
// are reached as well. Compound files that libgsf refuses are read by the
// lenient reader, which also reads every other compound input on its own.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/error.h"
#include "spreadsheet/xls/lenient_compound_file.h"
#include "spreadsheet/xls/workbook_reader.h"
#include "spreadsheet/xls/workbook_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  using namespace tarnwick::spreadsheet::xls;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const bool compound = bytes.substr(0, 4) == "\xD0\xCF\x11\xE0";
  if (compound) ReadRootStreamLeniently(bytes, {"Workbook", "Book"});
  try {
    BookData book = compound ? ReadWorkbook(bytes, "fuzz.xls")
                             : ParseWorkbookStream(bytes, "fuzz.xls");
    for (const SheetEntry& sheet : book.sheets) sheet.Data();
    // What was read must also write and read back, every sheet decoded;
    // Excel 5.0/95 workbooks are never written.
    if (book.biff_version != kBiff8) return 0;
    BookData again =
        ParseWorkbookStream(WriteWorkbookStream(book), "again.xls");
    for (const SheetEntry& sheet : again.sheets) sheet.Data();
  } catch (const tarnwick::Error&) {
  }
  return 0;
}
