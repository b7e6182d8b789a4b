// A workbook as the engine holds it: a template filled and saved keeps
// everything it is not told to change, copies and names follow the rules of
// spreadsheets, and a closed workbook refuses further work.

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
using test::TempDir;
using test::XlrdDump;
using ::testing::HasSubstr;

class TemplateFaithfulnessTest : public ::testing::Test {
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
using CellReaderTest = TemplateFaithfulnessTest;

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
  const std::filesystem::path file = dir_ / "Discount1.xls";
  for (const char* formulas : {"", "--formulas"}) {
    test::RunPeer("write_discount_sheet.py", {file, formulas});
    EXPECT_EQ(test::TarnwickDump(file, true), test::TarnwickDump(file))
        << formulas;
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
  // The template's merge, widths, height, fonts and formats, but for the
  // cells filled and emptied.
  std::string expected = XlrdDump(dir_ / "template.xls", true);
  for (const auto& [from, to] :
       std::initializer_list<std::pair<std::string, std::string>>{
           {"Heading", "Oval"},
           {"\n2\t2\tn\t1.5\t", "\n2\t2\tblank\t"},
           {"\n4\t1\t", "\n3\t5\tn\t2.25\tbold=0\tformat=0.000\n4\t1\t"},
           {"\nsheet\t2",
            "\n6\t1\ts\tnew\tbold=0\tformat=General\nsheet\t2"}}) {
    expected.replace(expected.find(from), from.size(), to);
  }
  EXPECT_EQ(XlrdDump(dir_ / "filled.xls", true), expected);
  std::string formula = FormulaRecords(dir_ / "template.xls");
  EXPECT_EQ(formula.substr(0, 2), std::string("\x06\x00", 2));
  EXPECT_EQ(FormulaRecords(dir_ / "filled.xls"), formula);
  sheet.SetCells(2, 4, "overwritten");
  book.SaveAs(dir_ / "overwritten.xls");
  EXPECT_EQ(FormulaRecords(dir_ / "overwritten.xls"), "");

  sheet.SetName("Renamed");
  Sheet& second = app_.Workbooks().Add(dir_ / "template.xls").Sheets().Item(1);
  EXPECT_EQ(second.Name() + "|" + second.Cells(1, 1).text(), "Round|Heading");
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
  book.AddWorksheet("Oval");
  // Letter case is ignored beyond ASCII too.
  Sheet& oval = book.AddWorksheet("\u041E\u0432\u0430\u043B \u00C9");
  EXPECT_EQ(&book.Sheets().Item("\u043E\u0412\u0410\u041B \u00E9"), &oval);
  for (const char* name : {"", "a:b", "a\\b", "a/b", "a?b", "a*b", "[a", "b]",
                           "0123456789012345678901234567890x", "OVAL",
                           "\u041E\u0412\u0410\u041B \u00E9"}) {
    EXPECT_THROW(sheet.SetName(name), Error) << name;
    EXPECT_THROW(book.AddWorksheet(name), Error) << name;
  }
  EXPECT_THAT(test::ErrorOf([&] { book.AddWorksheet("oval"); }),
              HasSubstr("\"oval\""));
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
    EXPECT_THROW(CellReader(sheet, CellReader::Use::kValues).Cells(1, 1),
                 Error);
    EXPECT_THROW(book.SaveAs(dir_ / "closed.xls"), Error);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "closed.xls"));
  }
}

}  // namespace
}  // namespace tarnwick::spreadsheet
