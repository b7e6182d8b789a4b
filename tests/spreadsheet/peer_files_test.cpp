// .xls files as other programs write and read them: Tarnwick reads their
// cells as those programs do, and what it saves reads back the same; a
// template filled and saved keeps everything it is not told to change.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "core/error.h"
#include "import/error_of.h"
#include "spreadsheet/application.h"
#include "spreadsheet/cell_reader.h"
#include "spreadsheet/cell_text.h"
#include "spreadsheet/xls/blank_workbook.h"
#include "spreadsheet/xls/workbook_reader.h"
#include "spreadsheet/xls/workbook_writer.h"
#include "spreadsheet/xls_peers.h"
#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick::spreadsheet {
namespace {

using test::ReadBytes;
using test::TarnwickDump;
using test::TempDir;
using test::XlrdDump;
using ::testing::HasSubstr;

// A folder and an application of the test's own.
class SpreadsheetFilesTest : public ::testing::Test {
 protected:
  // A template as users make them: a bold heading, a number format, a wide
  // column, a merged range, a formula, a formatted column and a second sheet.
  Workbook& OpenTemplate() {
    test::RunPeer("write_template.py", {dir_ / "template.xls"});
    return app_.Workbooks().Add(dir_ / "template.xls");
  }

  TempDir dir_;
  Application app_;
};
using PeerFilesTest = SpreadsheetFilesTest;
using TemplateFaithfulnessTest = SpreadsheetFilesTest;
using WorkbookRoundTripTest = SpreadsheetFilesTest;
using CellReaderTest = SpreadsheetFilesTest;

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

// Gnumeric's Excel 95 file, the BIFF8 stream named "Book" and the copies
// encrypted with Excel's default password (tests/data/xls/README.md) hold
// the cells of the files they were made from.
TEST_F(PeerFilesTest, WorkbooksOfOtherProgramsAreReadWithTheirValues) {
  for (const char* name : {"libreoffice.xls", "biff8-in-book.xls",
                           "encrypted-rc4.xls", "encrypted-cryptoapi.xls"}) {
    EXPECT_EQ(TarnwickDump(Fixture(name)), SourceCells("n\t2469")) << name;
  }
  EXPECT_EQ(TarnwickDump(Fixture("gnumeric.xls")), SourceCells("s\t"));
  // Gnumeric's Excel 95 texts are ASCII bytes where they can be, else
  // UTF-16: U+5149 as UTF-16 is the ASCII "IQ", which it then reads as.
  std::string cells = SourceCells("s\t");
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
  std::string before = XlrdDump(Fixture("libreoffice-numbers.xls"), true);
  EXPECT_TRUE(XlrdDump(dir_ / "a.xls", true) == before);
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

struct CellCase {
  int row;
  int column;
  CellValue value;
  const char* xlrd_line;  // what xlrd reads back
};

// Numbers that take every form a cell record has: RK integers, RK doubles,
// RK scaled by 100, and full NUMBER records; texts narrow and wide.
const CellCase kCells[] = {
    {1, 1, CellValue::Number(42), "1\t1\tn\t42"},
    {1, 2, CellValue::Number(-536870912), "1\t2\tn\t-536870912"},
    {1, 3, CellValue::Number(536870912), "1\t3\tn\t536870912"},
    {1, 4, CellValue::Number(12.5), "1\t4\tn\t12.5"},
    {1, 5, CellValue::Number(1234.56), "1\t5\tn\t1234.56"},
    {1, 6, CellValue::Number(0.1), "1\t6\tn\t0.1"},
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
  for (const CellCase& c : kCells) {
    book.Sheets().Item(1).SetCells(c.row, c.column, c.value);
    expected += std::string(c.xlrd_line) + "\n";
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

// A text cell shows its text as it is, and counts as a number only when it
// is one as a whole; typed into a cell, such a text is stored as a number.
TEST(CellTextTest, ATextIsNumericOnlyWhenItIsANumberAsAWhole) {
  EXPECT_EQ(EnteredValue(" -12.5 "), CellValue::Number(-12.5));
  EXPECT_EQ(EnteredValue("1,250"), CellValue::Text("1,250"));
  EXPECT_EQ(EnteredValue("1e999"), CellValue::Text("1e999"));
  EXPECT_EQ(EnteredValue(""), CellValue());
  const std::pair<const char*, bool> cases[] = {
      {" 12.5 ", true}, {"", false}, {"12.5 ct", false}, {"1,250", false}};
  for (const auto& [text, numeric] : cases) {
    EXPECT_EQ(IsNumericValue(CellValue::Text(text)), numeric) << text;
  }
  EXPECT_EQ(CellText(CellValue::Text(" 12.5 ")), " 12.5 ");
  EXPECT_EQ(NumericValue(CellValue()), 0);
  EXPECT_EQ(NumericValue(CellValue::Text("1e2")), 100);
  EXPECT_EQ(ToInt16(CellValue::Text(" 11 ")), 11);
  EXPECT_EQ(ToInt16(CellValue()), 0);
}

// Read for its values, a sheet shows every cell as Sheet::Cells does,
// whether its values were laid out in a block or it was decoded whole
// (as a sheet holding a formula is).
TEST_F(CellReaderTest, ASheetReadForItsValuesShowsEveryCellAsItIs) {
  for (const char* formulas : {"", "--formulas"}) {
    test::RunPeer("write_discount_sheet.py",
                  {dir_ / "Discount1.xls", formulas});
    EXPECT_EQ(test::TarnwickDump(dir_ / "Discount1.xls", true),
              test::TarnwickDump(dir_ / "Discount1.xls"))
        << formulas;
    CellReader values(
        app_.Workbooks().Add(dir_ / "Discount1.xls").Sheets().Item(1),
        CellReader::Use::kValues);
    EXPECT_THROW(values.Cells(1, 257), Error);
  }
}

// The names of the sheets, each followed by '|'.
std::string Names(SheetCollection sheets) {
  std::string names;
  for (int i = 1; i <= sheets.Count(); ++i) {
    names += sheets.Item(i).Name() + "|";
  }
  return names;
}

// The records of the formula cell D2 as the engine holds them.
std::string FormulaRecords(const std::filesystem::path& path) {
  xls::BookData book = xls::ReadWorkbook(ReadBytes(path), "book");
  auto sheet = book.sheets[0].Data();
  const auto& cell = sheet->rows.at(1).cells.at(3);
  return cell.has_formula() ? sheet->formulas.at(cell.ref) : "";
}

// An emptied cell keeps its format, an untouched formula is written back as
// it was; the template file itself never changes, and a second copy opened
// after the first changed still sees the file.
TEST_F(TemplateFaithfulnessTest, FormatsWidthsMergesAndFormulasSurviveAFill) {
  Workbook& book = OpenTemplate();
  std::string before = ReadBytes(dir_ / "template.xls");
  Sheet& sheet = book.Sheets().Item("round");
  sheet.SetCells(2, 2, "");      // keeps the 0.00 format of the cell
  sheet.SetCells(1, 1, "Oval");  // keeps the bold font
  sheet.SetCells(3, 5, 2.25);    // a new cell in the 0.000 column
  sheet.SetCells(6, 1, "new");
  sheet.SetCells(7, 1, "gone");
  sheet.SetCells(7, 1, "");
  book.SaveAs(dir_ / "filled.xls");
  EXPECT_EQ(XlrdDump(dir_ / "filled.xls", true),
            "sheet\t1\tRound\n"
            "merged\t4\t4\t1\t3\n"
            "width\t2\t5000\n"
            "width\t5\t3000\n"
            "height\t7\t600\n"
            "1\t1\ts\tOval\tbold=1\tformat=General\n"
            "2\t2\tblank\tbold=0\tformat=0.00\n"
            "2\t4\ts\t\tbold=0\tformat=General\n"
            "3\t5\tn\t2.25\tbold=0\tformat=0.000\n"
            "4\t1\ts\tmerged\tbold=0\tformat=General\n"
            "4\t2\tblank\tbold=0\tformat=General\n"
            "4\t3\tblank\tbold=0\tformat=General\n"
            "6\t1\ts\tnew\tbold=0\tformat=General\n"
            "sheet\t2\tPear\n"
            "1\t1\ts\tuntouched\tbold=0\tformat=General\n");
  std::string formula = FormulaRecords(dir_ / "template.xls");
  EXPECT_EQ(formula.substr(0, 2), std::string("\x06\x00", 2));
  EXPECT_EQ(FormulaRecords(dir_ / "filled.xls"), formula);
  sheet.SetCells(2, 4, "overwritten");
  book.SaveAs(dir_ / "overwritten.xls");
  EXPECT_EQ(FormulaRecords(dir_ / "overwritten.xls"), "");

  sheet.SetName("Renamed");
  Workbook& second = app_.Workbooks().Add(dir_ / "template.xls");
  EXPECT_EQ(second.Sheets().Item(1).Cells(1, 1).text(), "Heading");
  EXPECT_EQ(second.Sheets().Item(1).Name(), "Round");
  EXPECT_EQ(ReadBytes(dir_ / "template.xls"), before);
}

// Sheets are decoded when first read, long after the workbook was opened;
// what they show is the file as it was opened, even when it has since been
// cut short in place (which must never bring the program down).
TEST_F(TemplateFaithfulnessTest, AnOpenWorkbookKeepsTheFileItRead) {
  Workbook& book = OpenTemplate();
  test::WriteBytes(dir_ / "template.xls", "not a workbook any more");
  EXPECT_EQ(book.Sheets().Item("Pear").Cells(1, 1).text(), "untouched");
  EXPECT_EQ(book.Sheets().Item(1).Cells(2, 2), CellValue::Number(1.5));
}

TEST_F(TemplateFaithfulnessTest, CopiesAreNamedAsSpreadsheetsNameThem) {
  Workbook& book = OpenTemplate();
  Sheet& round = book.Sheets().Item(1);
  Sheet& copy = round.Copy(book.Sheets().Item(2));
  round.Copy(round);
  Sheet& copy4 = copy.Copy(copy);
  copy.SetCells(1, 1, "copy only");
  EXPECT_EQ(round.Cells(1, 1).text() + copy4.Cells(1, 1).text(),
            "HeadingHeading");
  book.SaveAs(dir_ / "copies.xls");

  Workbook& again = app_.Workbooks().Add(dir_ / "copies.xls");
  EXPECT_EQ(Names(again.Sheets()), "Round|Round (3)|Pear|Round (2)|Round (4)|");
  EXPECT_EQ(again.Sheets().Item("ROUND (2)").Cells(1, 1).text(), "copy only");
  EXPECT_THAT(XlrdDump(dir_ / "copies.xls", true),
              HasSubstr("sheet\t4\tRound (2)\nmerged\t4\t4\t1\t3\nwidth\t2"));
  // A long name is shortened to make room for the copy number.
  Sheet& long_name = book.AddWorksheet(std::string(31, 'x'));
  EXPECT_EQ(long_name.Copy(long_name).Name(), std::string(27, 'x') + " (2)");
}

// The sheets that formulas reaching into other sheets name, as xlrd reads
// them, are one line "first last" (0-based places) per reference; xlwt also
// lists a reference to the workbook itself (65534).
TEST_F(TemplateFaithfulnessTest,
       FormulasIntoOtherSheetsFollowThemWhenCopiesMoveThem) {
  test::RunPeer("sheet_references.py", {"--write", dir_ / "refs.xls"});
  ASSERT_EQ(test::RunPeer("sheet_references.py", {dir_ / "refs.xls"}),
            "65534 65534\n1 1\n");
  Workbook& book = app_.Workbooks().Add(dir_ / "refs.xls");
  Sheet& round = book.Sheets().Item("Round");
  round.Copy(round);  // Pear moves from the second place to the third
  book.SaveAs(dir_ / "moved.xls");
  EXPECT_EQ(test::RunPeer("sheet_references.py", {dir_ / "moved.xls"}),
            "65534 65534\n2 2\n");
}

TEST_F(TemplateFaithfulnessTest, SheetNameRulesAreEnforced) {
  Workbook& book = app_.Workbooks().Add();
  Sheet& sheet = book.Sheets().Item(1);
  for (const char* name : {"", "a:b", "a\\b", "a/b", "a?b", "a*b", "[a", "b]",
                           "0123456789012345678901234567890x"}) {
    EXPECT_THROW(sheet.SetName(name), Error) << name;
    EXPECT_THROW(book.AddWorksheet(name), Error) << name;
  }
  book.AddWorksheet("Oval");
  EXPECT_THROW(sheet.SetName("OVAL"), Error);
  EXPECT_THAT(test::ErrorOf([&] { book.AddWorksheet("oval"); }),
              HasSubstr("\"oval\""));
  // Letter case is ignored beyond ASCII too.
  Sheet& oval = book.AddWorksheet("\u041E\u0432\u0430\u043B \u00C9");
  EXPECT_EQ(&book.Sheets().Item("\u043E\u0412\u0410\u041B \u00E9"), &oval);
  EXPECT_THROW(book.AddWorksheet("\u041E\u0412\u0410\u041B \u00E9"), Error);
  sheet.SetName("sheet1");  // its own name in another case is fine
  sheet.SetName(std::string(31, 'y'));
  // A renamed sheet is found by its new name only, and its old one is free.
  EXPECT_EQ(&book.Sheets().Item(std::string(31, 'Y')), &sheet);
  EXPECT_THROW(book.Sheets().Item("sheet1"), Error);
  book.AddWorksheet("Sheet1");
}

// A workbook with a chart sheet between two worksheets, made through the
// writer because no test peer writes chart sheets; the sheet selected last
// is the active one of the saved file.
TEST_F(TemplateFaithfulnessTest, WorksheetsLeaveOutChartSheetsAndSelectSaves) {
  xls::BookData chart_book = xls::MakeBlankWorkbook();
  auto chart = std::make_shared<xls::SheetData>();
  std::string bof("\0\6\x20\0\xBB\x0D\xCC\7\0\0\0\0\6\0\0\0", 16);
  chart->records = {{xls::rt::kBof, bof}, {xls::rt::kEof, {}}};
  chart_book.sheets.push_back({"Chart1", 0, 2, chart, -1, {}});
  chart_book.sheets.push_back({"Sheet2", 0, 0, xls::MakeBlankSheet(), -1, {}});
  xls::WriteWorkbook(chart_book, (dir_ / "chart.xls").string());

  Workbook& book = app_.Workbooks().Add(dir_ / "chart.xls");
  EXPECT_EQ(&book.ActiveSheet(), &book.Sheets().Item(1));
  EXPECT_EQ(Names(book.Sheets()) + Names(book.Worksheets()),
            "Sheet1|Chart1|Sheet2|Sheet1|Sheet2|");
  EXPECT_EQ(book.Sheets().Item(2).Kind(), SheetKind::kChart);
  EXPECT_THROW(book.Worksheets().Item("Chart1"), Error);
  EXPECT_THROW(book.Sheets().Item(2).SetCells(1, 1, 1.0), Error);
  book.Sheets().Item(3).SetCells(1, 1, "after the chart");
  book.Sheets().Item(3).Select();
  book.SaveAs(dir_ / "again.xls");
  Workbook& again = app_.Workbooks().Add(dir_ / "again.xls");
  EXPECT_EQ(again.Sheets().Item(2).Kind(), SheetKind::kChart);
  EXPECT_EQ(again.Sheets().Item(3).Cells(1, 1).text(), "after the chart");
  EXPECT_EQ(again.ActiveSheet().Name(), "Sheet2");
}

// A folder where the file should go cannot be replaced: it stays as it was
// and no half-written file is left beside it.
TEST_F(TemplateFaithfulnessTest, AFailedSaveNamesTheFileAndLeavesNoTrace) {
  Workbook& book = app_.Workbooks().Add();
  std::filesystem::path missing = dir_ / "missing" / "Price.xls";
  EXPECT_THAT(
      test::ErrorOf([&] { book.SaveAs(missing); }),
      ::testing::StartsWith(missing.string() + ": cannot save the workbook ("));
  std::filesystem::create_directories(dir_ / "Price.xls" / "inside");
  EXPECT_THROW(book.SaveAs(dir_ / "Price.xls"), Error);
  EXPECT_TRUE(std::filesystem::exists(dir_ / "Price.xls" / "inside"));
  EXPECT_EQ(test::FileNames(dir_.path()),
            std::vector<std::string>{"Price.xls"});
}

// Closed, a workbook refuses every use, a sheet read from its file and not
// yet decoded included, whether read cell by cell or for its values.
TEST_F(TemplateFaithfulnessTest, AClosedWorkbookRefusesFurtherWork) {
  for (bool from_file : {false, true}) {
    Workbook& book = from_file ? OpenTemplate() : app_.Workbooks().Add();
    Sheet& sheet = book.Sheets().Item(1);
    EXPECT_EQ(app_.Workbooks().Count(), 1);
    book.Close();
    EXPECT_FALSE(book.IsOpen());
    EXPECT_EQ(app_.Workbooks().Count(), 0);
    EXPECT_THROW(sheet.Cells(1, 1), Error);
    EXPECT_THROW(CellReader(sheet).Cells(1, 1), Error);
    double number;
    EXPECT_THROW(
        CellReader(sheet, CellReader::Use::kValues).NumberAt(1, 1, &number),
        Error);
    EXPECT_THROW(book.SaveAs(dir_ / "closed.xls"), Error);
    EXPECT_THROW(app_.ActiveWorkbook(), Error);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "closed.xls"));
  }
}

}  // namespace
}  // namespace tarnwick::spreadsheet
