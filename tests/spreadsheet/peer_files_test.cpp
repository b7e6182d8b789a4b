// .xls files as other programs write and read them: Tarnwick reads their
// cells as those programs do, and what it saves reads back the same.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "import/error_of.h"
#include "spreadsheet/application.h"
#include "spreadsheet/xls_peers.h"
#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick::spreadsheet {
namespace {

using test::TarnwickDump;
using test::TempDir;
using test::XlrdDump;
using ::testing::HasSubstr;

// A folder and an application of the test's own.
class PeerFilesTest : public ::testing::Test {
 protected:
  TempDir dir_;
  Application app_;
};
using WorkbookRoundTripTest = PeerFilesTest;

std::filesystem::path Fixture(const char* name) {
  return std::filesystem::path(TARNWICK_TEST_DATA) / "xls" / name;
}

// The cells of tests/data/xls/make_source.py; LibreOffice computes the
// formula B2*2 when it saves, Gnumeric keeps xlwt's empty result; the
// result given ends its line.
std::string SourceCells(const char* formula_result) {
  return std::string(
             "sheet\t1\tPrices\n"
             "1\t1\ts\tRound\n1\t2\ts\tD\n1\t3\ts\tE\n"
             "2\t1\ts\tIF\n2\t2\tn\t1234.5\n2\t3\tn\t17\n2\t4\t") +
         formula_result +
         "3\t1\tn\t0.1\n3\t2\tn\t-42\n3\t3\tn\t123456789.25\n"
         "4\t1\ts\tmerged across A4:C4\n"
         "5\t1\tb\tTRUE\n5\t2\ts\tCaf\u00E9 \u20AC \u041E\u0432\u0430\u043B\n"
         "sheet\t2\tOv\u00E1l \u00D8\n1\t1\ts\t\u5149\n10\t5\tn\t2.5\n";
}

// Gnumeric's Excel 95 file, the BIFF8 stream named "Book" and the copies
// encrypted with Excel's default password (tests/data/xls/README.md) hold
// the cells of the files they were made from.
TEST_F(PeerFilesTest, WorkbooksOfOtherProgramsAreReadWithTheirValues) {
  for (const char* name : {"libreoffice.xls", "biff8-in-book.xls",
                           "encrypted-rc4.xls", "encrypted-cryptoapi.xls"}) {
    EXPECT_EQ(TarnwickDump(Fixture(name)), SourceCells("n\t2469\n")) << name;
  }
  EXPECT_EQ(TarnwickDump(Fixture("gnumeric.xls")), SourceCells("s\t\n"));
  // Gnumeric's Excel 95 texts are ASCII bytes where they can be, else
  // UTF-16: U+5149 as UTF-16 is the ASCII "IQ", which it then reads as.
  std::string cells = SourceCells("s\t\n");
  cells.replace(cells.find("\u5149"), 3, "IQ");
  EXPECT_EQ(TarnwickDump(Fixture("gnumeric95.xls")), cells);
}

// Excel 95 texts are bytes in the workbook's code page, Windows-1252 when it
// names none (tests/peers/write_biff5.py).
TEST_F(PeerFilesTest, Excel95WorkbooksAreReadInTheirCodePage) {
  auto cells = [](const std::string& sheet, const std::string& label,
                  const std::string& rich, const std::string& other) {
    return "sheet\t1\t" + sheet + "\n1\t1\ts\t" + label + "\n1\t2\ts\t" + rich +
           "\n2\t1\tn\t1234.5\n2\t2\tn\t17\n3\t1\tn\t1\n3\t2\tn\t2\n3\t3\tn\t3"
           "\n4\t1\ts\t" +
           label + "\n4\t2\tn\t2469\n5\t1\tb\tTRUE\nsheet\t2\t" + other +
           "\n1\t1\tn\t2.5\n";
  };
  EXPECT_EQ(TarnwickDump(Fixture("excel95-cp1251.xls")),
            cells("\u041f\u0440\u0430\u0439\u0441",
                  "\u0418\u0437\u0443\u043c\u0440\u0443\u0434 \u20ac \u2116",
                  "\u041e\u0432\u0430\u043b", "\u041a\u0440\u0443\u0433"));
  EXPECT_EQ(TarnwickDump(Fixture("excel95-cp0.xls")),
            cells("Preise", "Caf\u00e9 \u20ac \u0152", "R\u00e9sum\u00e9",
                  "\u00c9meraude"));
}

// An Excel 95 workbook is read only; one encrypted with a password of its
// own is not read at all. Each says why.
TEST_F(PeerFilesTest, WhatCannotBeDoneIsRefusedWithItsReason) {
  Workbook& book = app_.Workbooks().Add(Fixture("gnumeric95.xls"));
  EXPECT_EQ(test::ErrorOf([&] { book.SaveAs(dir_ / "copy.xls"); }),
            (dir_ / "copy.xls").string() +
                ": cannot save the workbook (the workbook was read from an "
                "Excel 5.0/95 file, which Tarnwick reads but does not save; "
                "save it as an Excel 97-2003 workbook (.xls) first)");
  EXPECT_EQ(test::ErrorOf(
                [&] { app_.Workbooks().Add(Fixture("encrypted-secret.xls")); }),
            Fixture("encrypted-secret.xls").string() +
                ": the workbook is encrypted with a password of its own and "
                "needs its password: open it in Excel with the password and "
                "save it without one");
}

// Saved with no edit, a workbook keeps its rich text, and its numbers and
// blanks stay in MULRK and MULBLANK records, so its size stays. A cell then
// given the text of a rich text takes none of its formatting runs.
TEST_F(PeerFilesTest, AWorkbookKeepsItsRichTextAndSizeAndSharesNoRuns) {
  Workbook& book = app_.Workbooks().Add(Fixture("libreoffice-numbers.xls"));
  book.SaveAs(dir_ / "a.xls");
  EXPECT_TRUE(XlrdDump(dir_ / "a.xls", true) ==
              XlrdDump(Fixture("libreoffice-numbers.xls"), true));
  EXPECT_LE(std::filesystem::file_size(dir_ / "a.xls"),
            std::filesystem::file_size(Fixture("libreoffice-numbers.xls")) *
                105 / 100);
  book.Sheets().Item("Numbers").SetCells(500, 1, "Price list 2026");
  book.SaveAs(dir_ / "a.xls");
  std::string after = XlrdDump(dir_ / "a.xls", true);
  EXPECT_THAT(after, HasSubstr("\n1\t1\ts\tPrice list 2026\tbold=0\t"
                               "format=General\trun="));
  EXPECT_THAT(after, HasSubstr("\n500\t1\ts\tPrice list 2026\tbold=0\t"
                               "format=General\n"));
}

TEST_F(PeerFilesTest, WorkbooksOfOtherProgramsKeepTheirLookWhenFilled) {
  for (const char* name : {"libreoffice.xls", "gnumeric.xls"}) {
    Workbook& book = app_.Workbooks().Add(Fixture(name));
    book.Sheets().Item("prices").SetCells(2, 2, "99.5");
    book.Sheets().Item("prices").SetCells(20, 3, "added");
    book.SaveAs(dir_ / "filled.xls");
    std::string expected = XlrdDump(Fixture(name), true);
    expected.replace(expected.find("\t1234.5\t"), 8, "\t99.5\t");
    expected.insert(expected.find("\nsheet\t2\t") + 1,
                    "20\t3\ts\tadded\tbold=0\tformat=General\n");
    EXPECT_EQ(XlrdDump(dir_ / "filled.xls", true), expected) << name;
  }
}

// xlwt writes numbers that need RK and numbers that do not, shared strings
// over many CONTINUE records, wide and narrow texts.
TEST_F(PeerFilesTest, WorkbooksWrittenByXlwtReadAsXlrdReadsThem) {
  test::RunPeer("write_xlwt_sample.py", {dir_ / "xlwt.xls"});
  std::string xlrd = XlrdDump(dir_ / "xlwt.xls");
  EXPECT_TRUE(TarnwickDump(dir_ / "xlwt.xls") == xlrd);
  EXPECT_NE(xlrd.find("\n200\t101\ts\ttext 19999 \u20AC\n"), std::string::npos);
  EXPECT_NE(xlrd.find("\n65536\t1\ts\tcorner\n"), std::string::npos);

  // And what Tarnwick writes back is what xlrd read first.
  app_.Workbooks().Add(dir_ / "xlwt.xls").SaveAs(dir_ / "again.xls");
  EXPECT_TRUE(XlrdDump(dir_ / "again.xls") == xlrd);
}

// Numbers in RK records (whole, the smallest, and scaled by 100) and in a
// full NUMBER record, the RK forms themselves being RkNumberTest's; texts
// narrow and wide. Each with the line xlrd reads back.
const std::tuple<int, int, CellValue, const char*> kCells[] = {
    {1, 1, CellValue::Number(42), "1\t1\tn\t42"},
    {1, 2, CellValue::Number(-536870912), "1\t2\tn\t-536870912"},
    {1, 5, CellValue::Number(1234.56), "1\t5\tn\t1234.56"},
    {1, 7, CellValue::Number(1e300), "1\t7\tn\t1e+300"},
    {2, 1, CellValue::Text("Round 1.00 ct"), "2\t1\ts\tRound 1.00 ct"},
    {2, 2, CellValue::Text("Caf\u00E9 \u20AC \u00D8"),
     "2\t2\ts\tCaf\u00E9 \u20AC \u00D8"},
    {2, 3, CellValue::Text("\u5149 \U0001F48E"), "2\t3\ts\t\u5149 \U0001F48E"},
    {2, 4, CellValue::Text("a\tb\nc"), "2\t4\ts\ta\\tb\\nc"},
    {3, 1, CellValue::Boolean(true), "3\t1\tb\tTRUE"},
    {3, 2, CellValue::Boolean(false), "3\t2\tb\tFALSE"},
    {3, 3, CellValue::Error(0x07), "3\t3\te\t#DIV/0!"},
    {3, 4, CellValue::Error(0x2A), "3\t4\te\t#N/A"},
    {70, 256, CellValue::Number(7), "70\t256\tn\t7"},
};

// Tarnwick and xlrd read back the same cells, sheet names and sheet order.
TEST_F(WorkbookRoundTripTest, CellsAndSheetsSurviveSaveAndAreReadByXlrd) {
  Workbook& book = app_.Workbooks().Add();
  std::string expected = "sheet\t1\tSheet1\n";
  for (const auto& [row, column, value, xlrd_line] : kCells) {
    book.Sheets().Item(1).SetCells(row, column, value);
    expected += std::string(xlrd_line) + "\n";
  }
  book.AddWorksheet("Pear \u00D8 1");
  book.AddWorksheet("\u041E\u0432\u0430\u043B").SetCells(2, 2, "x");
  expected +=
      "sheet\t2\tPear \u00D8 1\n"
      "sheet\t3\t\u041E\u0432\u0430\u043B\n2\t2\ts\tx\n";
  book.SaveAs(dir_ / "out.xls");
  EXPECT_EQ(TarnwickDump(dir_ / "out.xls"), expected);
  EXPECT_EQ(XlrdDump(dir_ / "out.xls"), expected);
  // The fonts and formats of a new workbook are whole enough for xlrd to
  // read them too.
  EXPECT_THAT(XlrdDump(dir_ / "out.xls", true),
              HasSubstr("\n2\t1\ts\tRound 1.00 ct\tbold=0\tformat=General\n"));
}

}  // namespace
}  // namespace tarnwick::spreadsheet
