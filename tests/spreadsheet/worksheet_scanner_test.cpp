// The worksheet scanner leaves what it does not read to libxml2, and a
// sheet then reads exactly as libxml2 alone reads it, fault or cells.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fuzz/package_fuzz_zip.h"
#include "import/error_of.h"
#include "spreadsheet/cell_text.h"
#include "spreadsheet/package/sheet_builder.h"
#include "spreadsheet/package/zip_package.h"
#include "spreadsheet/xlsx/worksheet_reader.h"

namespace tarnwick::spreadsheet::xlsx {
namespace {

using ::testing::HasSubstr;

// The cells a sheet reads to, one "row col value" a line, or its fault.
template <typename Read>
std::string Outcome(Read read) {
  std::uint64_t count = 0;
  package::SheetBuilder sheet("book.xlsx: sheet \"S\"", &count);
  std::string error = test::ErrorOf([&] { read(sheet); });
  if (error != "no error") return error;
  auto data = sheet.Take();
  std::string cells;
  for (std::size_t r = 0; r < data->rows.size(); ++r) {
    for (std::size_t c = 0; c < data->rows[r].cells.size(); ++c) {
      const xls::StoredCell& cell = data->rows[r].cells[c];
      if (!cell.present) continue;
      cells += std::to_string(r) + " " + std::to_string(c) + " " +
               CellText(xls::ValueOf(*data, cell)) + "\n";
    }
  }
  return cells;
}

TEST(WorksheetScannerTest, DeclinesWhatLibxml2ReadsAlone) {
  const std::string begin = "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"";
  const std::string end =
      "</c><c r=\"B1\"><v>2</v></c></row></sheetData>"
      "</worksheet>";
  const struct {
    const char* construct;
    std::string xml;
    const char* outcome;
  } cases[] = {
      {"DOCTYPE", "<!DOCTYPE worksheet>" + begin + "><v>1</v>" + end,
       "holds a document type declaration"},
      {"CDATA", begin + "><v><![CDATA[1]]></v>" + end, "0 0 1\n0 1 2\n"},
      {"comment", begin + "><v>1<!-- one --></v>" + end, "0 0 1\n0 1 2\n"},
      {"unknown entity", begin + "><v>&one;</v>" + end,
       "is not well-formed XML"},
      {"bad UTF-8", begin + " t=\"inlineStr\"><is><t>\xC3(</t></is>" + end,
       "is not well-formed XML"},
      {"a carriage return",
       begin + " t=\"inlineStr\"><is><t>a\r\nb</t></is>" + end,
       "0 0 a\nb\n0 1 2\n"},
  };
  SharedStrings strings;
  WorksheetContext context{&strings};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.construct);
    std::uint64_t count = 0;
    package::SheetBuilder scanned("book.xlsx: sheet", &count);
    EXPECT_FALSE(ScanWorksheet(c.xml, "book.xlsx: part", context, scanned));
    std::string packed = PackParts({{"sheet.xml", c.xml}});
    package::ZipPackage zip(packed, "book.xlsx");
    std::string alone = Outcome([&](package::SheetBuilder& sheet) {
      ParseWorksheet(zip.Open("sheet.xml"), zip.what(), context, sheet);
    });
    EXPECT_THAT(alone, HasSubstr(c.outcome));
    EXPECT_EQ(Outcome([&](package::SheetBuilder& sheet) {
                ReadWorksheet(zip, "sheet.xml", context, sheet);
              }),
              alone);
  }
}

}  // namespace
}  // namespace tarnwick::spreadsheet::xlsx
