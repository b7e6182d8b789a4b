// The .xlsx and .ods readers: what other programs write reads as they read
// it, and every bad file is refused with its reason.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "import/error_of.h"
#include "spreadsheet/xls/compound_file.h"
#include "spreadsheet/xls_peers.h"
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

std::filesystem::path Data(const std::string& name) {
  return std::filesystem::path(TARNWICK_TEST_DATA) / name;
}

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
  const struct {
    const char* file;
    std::vector<std::pair<std::string, std::string>> changes;
  } cases[] = {
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
  for (const auto& c : cases) {
    std::string file = c.file;
    std::string source =
        file.substr(file.find('/') + 1, file.find("-by-") - file.find('/') - 1);
    std::string expected = TarnwickDump(Data("xls") / (source + ".xls"));
    for (const auto& [from, to] : c.changes) {
      expected.replace(expected.find(from), from.size(), to);
    }
    EXPECT_EQ(TarnwickDump(Data(file)), expected) << file;
  }
}

TEST(PackageWorkbooksTest, BadFilesAreRefusedWithTheirReason) {
  TempDir dir;
  RunPeer("bad_packages.py", {dir.path()});
  // An .xlsx encrypted with a password: a compound file around the package.
  xls::CompoundContents encrypted;
  encrypted.others.push_back(
      {"EncryptionInfo", false, std::string(64, 'i'), {}});
  encrypted.others.push_back(
      {"EncryptedPackage", false, std::string(64, 'e'), {}});
  xls::WriteCompoundFile(encrypted, (dir / "encrypted.xlsx").string());

  const struct {
    const char* file;
    const char* reason;
  } cases[] = {
      {"damaged.xlsx",
       "the workbook is damaged (its ZIP archive cannot be read"},
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
  for (const auto& c : cases) {
    std::string path = (dir / c.file).string();
    EXPECT_THAT(test::ErrorOf([&] { TarnwickDump(path); }),
                AllOf(StartsWith(path + ": "), HasSubstr(c.reason)));
  }
  EXPECT_EQ(TarnwickDump(dir / "empty-repeats.ods"),
            "sheet\t1\tS\n1\t1\tn\t1\n");
}

}  // namespace
}  // namespace tarnwick::spreadsheet
