// libFuzzer target for the worksheet scanner: whenever it takes a worksheet
// part, libxml2's SAX parser must take it too and give the very same cells,
// since the scanner stands in for it on most sheets. The input is the XML
// of a worksheet, followed after a NUL byte by the shared string table, as
// for read_xlsx_fuzzer; any difference stops the run.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "core/error.h"
#include "fuzz/memory_part.h"
#include "spreadsheet/package/sheet_builder.h"
#include "spreadsheet/package/xml_part.h"
#include "spreadsheet/xlsx/shared_strings.h"
#include "spreadsheet/xlsx/worksheet_reader.h"

namespace {

using namespace tarnwick::spreadsheet;

using tarnwick::fuzz::MemoryPart;

[[noreturn]] void Differ(const char* what) {
  std::fprintf(stderr, "scanner and libxml2 differ: %s\n", what);
  std::abort();
}

void Compare(const xls::SheetData& scanned, const xls::SheetData& parsed) {
  if (scanned.texts != parsed.texts) Differ("texts");
  if (scanned.rows.size() != parsed.rows.size()) Differ("rows");
  for (std::size_t r = 0; r < scanned.rows.size(); ++r) {
    const auto& a = scanned.rows[r].cells;
    const auto& b = parsed.rows[r].cells;
    if (a.size() != b.size()) Differ("cells in a row");
    for (std::size_t c = 0; c < a.size(); ++c) {
      if (a[c].present != b[c].present || a[c].kind != b[c].kind ||
          a[c].ref != b[c].ref ||
          std::memcmp(&a[c].number, &b[c].number, sizeof(double)) != 0) {
        Differ("a cell");
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::size_t nul = bytes.find('\0');
  std::string_view sheet = bytes.substr(0, nul);
  xlsx::SharedStrings strings;
  if (nul != std::string_view::npos) {
    try {
      package::XmlPart xml(std::make_unique<MemoryPart>(bytes.substr(nul + 1)),
                           "fuzz.xlsx");
      strings = xlsx::SharedStrings(xml);
    } catch (const tarnwick::Error&) {
    }
  }
  xlsx::WorksheetContext context{&strings};
  std::uint64_t scanned_cells = 0;
  std::uint64_t parsed_cells = 0;
  package::SheetBuilder scanned("fuzz.xlsx: sheet", &scanned_cells);
  package::SheetBuilder parsed("fuzz.xlsx: sheet", &parsed_cells);
  if (!xlsx::ScanWorksheet(sheet, "fuzz.xlsx: xl/worksheets/sheet1.xml",
                           context, scanned)) {
    return 0;
  }
  try {
    xlsx::ParseWorksheet(std::make_unique<MemoryPart>(sheet), "fuzz.xlsx",
                         context, parsed);
  } catch (const tarnwick::Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    Differ("libxml2 refuses what the scanner took");
  }
  if (scanned_cells != parsed_cells) Differ("cell counts");
  Compare(*scanned.Take(), *parsed.Take());
  return 0;
}
