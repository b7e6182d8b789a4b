#include <gtest/gtest.h>

#include "spreadsheet/application.h"
#include "spreadsheet/xls_peers.h"
#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick::spreadsheet {
namespace {

using test::TarnwickDump;
using test::TempDir;
using test::XlrdDump;

std::filesystem::path Fixture(const char* name) {
  return std::filesystem::path(TARNWICK_TEST_DATA) / "xls" / name;
}

// The cells of tests/data/xls/make_source.py; LibreOffice computes the
// formula B2*2 when it saves, Gnumeric keeps xlwt's empty result.
std::string SourceCells(const char* formula_result) {
  return std::string(
             "sheet\t1\tPrices\n"
             "1\t1\ts\tRound\n1\t2\ts\tD\n1\t3\ts\tE\n"
             "2\t1\ts\tIF\n2\t2\tn\t1234.5\n2\t3\tn\t17\n2\t4\t") +
         formula_result +
         "\n"
         "3\t1\tn\t0.1\n3\t2\tn\t-42\n3\t3\tn\t123456789.25\n"
         "4\t1\ts\tmerged across A4:C4\n"
         "5\t1\tb\tTRUE\n5\t2\ts\tCaf\u00E9 \u20AC \u041E\u0432\u0430\u043B\n"
         "sheet\t2\tOv\u00E1l \u00D8\n1\t1\ts\t\u5149\n10\t5\tn\t2.5\n";
}

TEST(PeerFilesTest, WorkbooksOfOtherProgramsAreReadWithTheirValues) {
  EXPECT_EQ(TarnwickDump(Fixture("libreoffice.xls")), SourceCells("n\t2469"));
  EXPECT_EQ(TarnwickDump(Fixture("gnumeric.xls")), SourceCells("s\t"));
}

TEST(PeerFilesTest, WorkbooksOfOtherProgramsKeepTheirLookWhenFilled) {
  for (const char* name : {"libreoffice.xls", "gnumeric.xls"}) {
    TempDir dir;
    Application app;
    Workbook& book = app.Workbooks().Add(Fixture(name));
    std::string before = XlrdDump(Fixture(name), true);
    Sheet& sheet = book.Sheets().Item("prices");
    sheet.SetCells(2, 2, "99.5");
    sheet.SetCells(20, 3, "added");
    book.SaveAs(dir / "filled.xls");

    std::string after = XlrdDump(dir / "filled.xls", true);
    std::string expected = before;
    auto replace = [&](const std::string& from, const std::string& to) {
      std::size_t at = expected.find(from);
      ASSERT_NE(at, std::string::npos) << name << ": " << from;
      expected.replace(at, from.size(), to);
    };
    replace("\n2\t2\tn\t1234.5\t", "\n2\t2\tn\t99.5\t");
    replace("\nsheet\t2\t",
            "\n20\t3\ts\tadded\tbold=0\tformat=General\nsheet\t2\t");
    EXPECT_EQ(after, expected) << name;
  }
}

// xlwt writes numbers that need RK and numbers that do not, shared strings
// over many CONTINUE records, wide and narrow texts.
TEST(PeerFilesTest, WorkbooksWrittenByXlwtReadAsXlrdReadsThem) {
  TempDir dir;
  test::RunPeer("write_xlwt_sample.py", {dir / "xlwt.xls"});
  std::string xlrd = XlrdDump(dir / "xlwt.xls");
  EXPECT_TRUE(TarnwickDump(dir / "xlwt.xls") == xlrd);
  EXPECT_NE(xlrd.find("\n200\t101\ts\ttext 19999 \u20AC\n"), std::string::npos);
  EXPECT_NE(xlrd.find("\n65536\t1\ts\tcorner\n"), std::string::npos);

  // And what Tarnwick writes back is what xlrd read first.
  Application app;
  Workbook& book = app.Workbooks().Add(dir / "xlwt.xls");
  book.SaveAs(dir / "again.xls");
  EXPECT_TRUE(XlrdDump(dir / "again.xls") == xlrd);
}

}  // namespace
}  // namespace tarnwick::spreadsheet
