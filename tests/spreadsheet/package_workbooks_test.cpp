// The .xlsx and .ods readers: what other programs write reads as they read
// it, and every bad file is refused with its reason. The worksheet scanner
// leaves what it does not read to libxml2, and a sheet then reads exactly as
// libxml2 alone reads it, fault or cells.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "fuzz/package_fuzz_zip.h"
#include "import/error_of.h"
#include "spreadsheet/cell_text.h"
#include "spreadsheet/package/sheet_builder.h"
#include "spreadsheet/package/zip_package.h"
#include "spreadsheet/xls/compound_file.h"
#include "spreadsheet/xls_peers.h"
#include "spreadsheet/xlsx/worksheet_reader.h"
#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick::spreadsheet {
namespace {

using test::RunPeer;
using test::TarnwickDump;
using test::TempDir;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::StartsWith;
using xlsx::SharedStrings;
using xlsx::WorksheetContext;

TEST(PackageWorkbooksTest, OpenpyxlWorkbookReadsAsOpenpyxlReadsIt) {
  TempDir dir;
  std::string expected = RunPeer("openpyxl_workbook.py", {dir / "book.xlsx"});
  EXPECT_EQ(TarnwickDump(dir / "book.xlsx"), expected);
}

// The .xls fixtures converted by LibreOffice and Gnumeric (see
// tests/data/xls/make_fixtures.sh) read with the originals' cells, but for
// what the converters change: LibreOffice works the formula B2*2 out anew
// (Gnumeric's .xls holds xlwt's empty result) and writes a truth value to
// .ods as the number 1 of a formula TRUE(); Gnumeric's .xlsx keeps no
// result for a formula it has not worked out.
TEST(PackageWorkbooksTest, OtherProgramsConversionsReadAsTheXlsOriginals) {
  const std::string kFormula = "\n2\t4\ts\t\n";
  const std::string kTrue = "\n5\t1\tb\tTRUE\n";
  const std::filesystem::path data = TARNWICK_TEST_DATA;
  using Changes = std::vector<std::pair<std::string, std::string>>;
  const std::pair<const char*, Changes> cases[] = {
      {"xlsx/libreoffice-by-libreoffice.xlsx", {}},
      {"xlsx/libreoffice-by-gnumeric.xlsx", {}},
      {"ods/libreoffice-by-libreoffice.ods", {{kTrue, "\n5\t1\tn\t1\n"}}},
      {"ods/libreoffice-by-gnumeric.ods", {}},
      {"xlsx/gnumeric-by-libreoffice.xlsx", {{kFormula, "\n2\t4\tn\t2469\n"}}},
      {"xlsx/gnumeric-by-gnumeric.xlsx", {{kFormula, "\n"}}},
      {"ods/gnumeric-by-libreoffice.ods",
       {{kFormula, "\n2\t4\tn\t2469\n"}, {kTrue, "\n5\t1\tn\t1\n"}}},
      {"ods/gnumeric-by-gnumeric.ods", {}},
  };
  for (const auto& [file, changes] : cases) {
    std::string source(file, std::string_view(file).find("-by-"));
    std::string expected = TarnwickDump(
        data / "xls" / (source.substr(source.find('/') + 1) + ".xls"));
    for (const auto& [from, to] : changes) {
      expected.replace(expected.find(from), from.size(), to);
    }
    EXPECT_EQ(TarnwickDump(data / file), expected) << file;
  }
}

TEST(PackageWorkbooksTest, BadFilesAreRefusedWithTheirReason) {
  TempDir dir;
  RunPeer("bad_packages.py", {dir.path()});
  // An .xlsx encrypted with a password: a compound file around the package.
  xls::CompoundContents encrypted;
  encrypted.others = {{"EncryptionInfo", false, std::string(64, 'i'), {}},
                      {"EncryptedPackage", false, std::string(64, 'e'), {}}};
  xls::WriteCompoundFile(encrypted, (dir / "encrypted.xlsx").string());

  const std::pair<const char*, const char*> cases[] = {
      {"unpacks-too-big.xlsx", "the workbook would unpack to more than 512 MB"},
      {"packed-too-tight.xlsx", "the workbook is packed more than 1000 to 1"},
      {"missing-part.xlsx",
       "the workbook is damaged (its part xl/worksheets/sheet1.xml is "
       "missing)"},
      {"malformed.xlsx", "xl/worksheets/sheet1.xml is not well-formed XML ("},
      {"dtd.xlsx",
       "xl/worksheets/sheet1.xml holds a document type declaration (DTD)"},
      {"external-entity.xlsx",
       "xl/worksheets/sheet1.xml holds a document type declaration (DTD)"},
      {"too-deep.xlsx", "xl/worksheets/sheet1.xml nests its elements too deep"},
      {"rows-repeated.ods",
       "content.xml is damaged (sheet \"S\" repeats rows past row 65536"},
      {"columns-repeated.ods",
       "content.xml is damaged (sheet \"S\" repeats cells past column 256"},
      {"encrypted.xlsx",
       "the workbook is protected by a password; save it without one"},
  };
  for (const auto& [file, reason] : cases) {
    std::string path = (dir / file).string();
    EXPECT_THAT(test::ErrorOf([&] { TarnwickDump(path); }),
                AllOf(StartsWith(path + ": "), HasSubstr(reason)));
  }
  EXPECT_EQ(TarnwickDump(dir / "empty-repeats.ods"),
            "sheet\t1\tS\n1\t1\tn\t1\n");
}

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
      "</c><c r=\"B1\"><v>2</v></c></row></sheetData></worksheet>";
  const std::tuple<const char*, std::string, const char*> cases[] = {
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
  for (const auto& [construct, xml, outcome] : cases) {
    SCOPED_TRACE(construct);
    std::uint64_t count = 0;
    package::SheetBuilder scanned("book.xlsx: sheet", &count);
    EXPECT_FALSE(ScanWorksheet(xml, "book.xlsx: part", context, scanned));
    std::string packed = PackParts({{"sheet.xml", xml}});
    package::ZipPackage zip(packed, "book.xlsx");
    std::string alone = Outcome([&](package::SheetBuilder& sheet) {
      ParseWorksheet(zip.Open("sheet.xml"), zip.what(), context, sheet);
    });
    EXPECT_THAT(alone, HasSubstr(outcome));
    EXPECT_EQ(Outcome([&](package::SheetBuilder& sheet) {
                ReadWorksheet(zip, "sheet.xml", context, sheet);
              }),
              alone);
  }
}

}  // namespace
}  // namespace tarnwick::spreadsheet
