#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/error.h"
#include "spreadsheet/application.h"
#include "spreadsheet/cell_reader.h"
#include "spreadsheet/xls/blank_workbook.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/workbook_reader.h"
#include "spreadsheet/xls/workbook_writer.h"
#include "spreadsheet/xls_peers.h"
#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick::spreadsheet {
namespace {

using test::TempDir;
using test::WriteBytes;
using test::XlrdDump;

// A template as users make them: a bold heading, a number format, a wide
// column, a merged range, a formula, a formatted column and a second sheet.
void MakeTemplate(const std::filesystem::path& path) {
  test::RunPeer("write_template.py", {path});
}

TEST(TemplateFaithfulnessTest, FormatsWidthsMergesAndFormulasSurviveAFill) {
  TempDir dir;
  MakeTemplate(dir / "template.xls");
  Application app;
  Workbook& book = app.Workbooks().Add(dir / "template.xls");
  Sheet& sheet = book.Sheets().Item("round");
  sheet.SetCells(2, 2, "1234.5");  // keeps the 0.00 format of the cell
  sheet.SetCells(1, 1, "Oval");    // keeps the bold font
  sheet.SetCells(3, 5, 2.25);      // a new cell in the 0.000 column
  sheet.SetCells(6, 1, "new");
  book.SaveAs(dir / "filled.xls");

  EXPECT_EQ(XlrdDump(dir / "filled.xls", true),
            "sheet\t1\tRound\n"
            "merged\t4\t4\t1\t3\n"
            "width\t2\t5000\n"
            "width\t5\t3000\n"
            "height\t7\t600\n"
            "1\t1\ts\tOval\tbold=1\tformat=General\n"
            "2\t2\tn\t1234.5\tbold=0\tformat=0.00\n"
            "2\t4\ts\t\tbold=0\tformat=General\n"
            "3\t5\tn\t2.25\tbold=0\tformat=0.000\n"
            "4\t1\ts\tmerged\tbold=0\tformat=General\n"
            "4\t2\tblank\tbold=0\tformat=General\n"
            "4\t3\tblank\tbold=0\tformat=General\n"
            "6\t1\ts\tnew\tbold=0\tformat=General\n"
            "sheet\t2\tPear\n"
            "1\t1\ts\tuntouched\tbold=0\tformat=General\n");
}

// The records of the formula cell D2 as the engine holds them.
std::string FormulaRecords(const std::filesystem::path& path) {
  xls::BookData book = xls::ReadWorkbook(test::ReadBytes(path), "book");
  auto sheet = book.sheets[0].Data();
  const auto& cell = sheet->rows.at(1).cells.at(3);
  return cell.has_formula() ? sheet->formulas.at(cell.ref) : "";
}

TEST(TemplateFaithfulnessTest, AnUntouchedFormulaIsWrittenBackAsItWas) {
  TempDir dir;
  MakeTemplate(dir / "template.xls");
  Application app;
  Workbook& book = app.Workbooks().Add(dir / "template.xls");
  book.Sheets().Item(1).SetCells(2, 3, 5.0);
  book.SaveAs(dir / "filled.xls");
  std::string before = FormulaRecords(dir / "template.xls");
  EXPECT_EQ(before.substr(0, 2), std::string("\x06\x00", 2));
  EXPECT_EQ(FormulaRecords(dir / "filled.xls"), before);

  book.Sheets().Item(1).SetCells(2, 4, "overwritten");
  book.SaveAs(dir / "overwritten.xls");
  EXPECT_EQ(FormulaRecords(dir / "overwritten.xls"), "");
}

TEST(TemplateFaithfulnessTest, TheTemplateFileIsNeverChanged) {
  TempDir dir;
  MakeTemplate(dir / "template.xls");
  std::string before = test::ReadBytes(dir / "template.xls");
  Application app;
  Workbook& book = app.Workbooks().Add(dir / "template.xls");
  book.Sheets().Item(1).SetCells(1, 1, "changed");
  book.Sheets().Item(1).SetName("Renamed");
  // A second copy made after the first changed still sees the file.
  Workbook& second = app.Workbooks().Add(dir / "template.xls");
  EXPECT_EQ(second.Sheets().Item(1).Cells(1, 1).text(), "Heading");
  EXPECT_EQ(second.Sheets().Item(1).Name(), "Round");
  EXPECT_EQ(test::ReadBytes(dir / "template.xls"), before);
}

TEST(TemplateFaithfulnessTest, AChangedFileIsReadAgain) {
  TempDir dir;
  Application app;
  Workbook& a = app.Workbooks().Add();
  a.Sheets().Item(1).SetCells(1, 1, 1.0);
  a.SaveAs(dir / "book.xls");
  EXPECT_EQ(app.Workbooks().Add(dir / "book.xls").Sheets().Item(1).Cells(1, 1),
            CellValue::Number(1));
  a.Sheets().Item(1).SetCells(1, 1, "two and more");
  a.SaveAs(dir / "book.xls");
  EXPECT_EQ(app.Workbooks().Add(dir / "book.xls").Sheets().Item(1).Cells(1, 1),
            CellValue::Text("two and more"));
}

// Sheets are decoded when first read, long after the workbook was opened;
// what they show is the file as it was opened, even when it has since been
// cut short in place (which must never bring the program down).
TEST(TemplateFaithfulnessTest, AnOpenWorkbookKeepsTheFileItRead) {
  TempDir dir;
  MakeTemplate(dir / "template.xls");
  Application app;
  Workbook& book = app.Workbooks().Add(dir / "template.xls");
  {
    std::ofstream cut(dir / "template.xls",
                      std::ios::binary | std::ios::in | std::ios::out);
    cut.seekp(0);
    cut << "not a workbook any more";
  }
  std::filesystem::resize_file(dir / "template.xls", 23);
  EXPECT_EQ(book.Sheets().Item("Pear").Cells(1, 1).text(), "untouched");
  EXPECT_EQ(book.Sheets().Item(1).Cells(2, 2), CellValue::Number(1.5));
}

TEST(TemplateFaithfulnessTest, EmptyingACellKeepsItsFormat) {
  TempDir dir;
  MakeTemplate(dir / "template.xls");
  Application app;
  Workbook& book = app.Workbooks().Add(dir / "template.xls");
  Sheet& sheet = book.Sheets().Item(1);
  sheet.SetCells(2, 2, "");
  sheet.SetCells(6, 1, "gone");
  sheet.SetCells(6, 1, "");
  EXPECT_TRUE(sheet.Cells(2, 2).IsEmpty());
  book.SaveAs(dir / "emptied.xls");
  std::string dump = XlrdDump(dir / "emptied.xls", true);
  EXPECT_NE(dump.find("\n2\t2\tblank\tbold=0\tformat=0.00\n"),
            std::string::npos)
      << dump;
  EXPECT_EQ(dump.find("\n6\t1\t"), std::string::npos) << dump;
}

TEST(TemplateFaithfulnessTest, CopiesAreNamedAsSpreadsheetsNameThem) {
  TempDir dir;
  MakeTemplate(dir / "template.xls");
  Application app;
  Workbook& book = app.Workbooks().Add(dir / "template.xls");
  Sheet& round = book.Sheets().Item(1);
  Sheet& copy = round.Copy(book.Sheets().Item(2));
  Sheet& copy3 = round.Copy(round);
  Sheet& copy4 = copy.Copy(copy);
  copy.SetCells(1, 1, "copy only");
  EXPECT_EQ(copy.Name(), "Round (2)");
  EXPECT_EQ(copy3.Name(), "Round (3)");
  EXPECT_EQ(copy4.Name(), "Round (4)");
  EXPECT_EQ(round.Cells(1, 1).text(), "Heading");
  EXPECT_EQ(copy4.Cells(1, 1).text(), "Heading");
  book.SaveAs(dir / "copies.xls");

  Workbook& again = app.Workbooks().Add(dir / "copies.xls");
  std::vector<std::string> names;
  for (int i = 1; i <= again.Sheets().Count(); ++i) {
    names.push_back(again.Sheets().Item(i).Name());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Round", "Round (3)", "Pear",
                                             "Round (2)", "Round (4)"}));
  EXPECT_EQ(again.Sheets().Item("ROUND (2)").Cells(1, 1).text(), "copy only");
  std::string dump = XlrdDump(dir / "copies.xls", true);
  EXPECT_NE(
      dump.find("sheet\t4\tRound (2)\nmerged\t4\t4\t1\t3\nwidth\t2\t5000"),
      std::string::npos)
      << dump;
}

// The sheets that formulas reaching into other sheets name, as xlrd reads
// them: one line "first last" (0-based places) per reference.
std::string SheetsReferred(const std::filesystem::path& path) {
  return test::RunPeer("sheet_references.py", {path});
}

TEST(TemplateFaithfulnessTest,
     FormulasIntoOtherSheetsFollowThemWhenCopiesMoveThem) {
  TempDir dir;
  test::RunPeer("sheet_references.py", {"--write", dir / "refs.xls"});
  // xlwt also lists a reference to the workbook itself (65534).
  ASSERT_EQ(SheetsReferred(dir / "refs.xls"), "65534 65534\n1 1\n");
  Application app;
  Workbook& book = app.Workbooks().Add(dir / "refs.xls");
  Sheet& round = book.Sheets().Item("Round");
  round.Copy(round);  // Pear moves from the second place to the third
  book.SaveAs(dir / "moved.xls");
  EXPECT_EQ(SheetsReferred(dir / "moved.xls"), "65534 65534\n2 2\n");
  Workbook& again = app.Workbooks().Add(dir / "moved.xls");
  EXPECT_EQ(again.Sheets().Item(3).Name(), "Pear");
}

TEST(TemplateFaithfulnessTest, LongNamesAreShortenedForTheCopyNumber) {
  Application app;
  Workbook& book = app.Workbooks().Add();
  Sheet& sheet = book.AddWorksheet(std::string(31, 'x'));
  EXPECT_EQ(sheet.Copy(sheet).Name(), std::string(27, 'x') + " (2)");
}

TEST(TemplateFaithfulnessTest, SheetNameRulesAreEnforced) {
  Application app;
  Workbook& book = app.Workbooks().Add();
  Sheet& sheet = book.Sheets().Item(1);
  const char* bad[] = {"",    "a:b", "a\\b",
                       "a/b", "a?b", "a*b",
                       "[a",  "b]",  "0123456789012345678901234567890x"};
  for (const char* name : bad) {
    EXPECT_THROW(sheet.SetName(name), Error) << name;
    EXPECT_THROW(book.AddWorksheet(name), Error) << name;
  }
  book.AddWorksheet("Oval");
  EXPECT_THROW(sheet.SetName("OVAL"), Error);
  try {
    book.AddWorksheet("oval");
    FAIL();
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("\"oval\""), std::string::npos);
  }
  // Letter case is ignored beyond ASCII too.
  Sheet& oval = book.AddWorksheet("\u041E\u0432\u0430\u043B \u00C9");
  EXPECT_EQ(&book.Sheets().Item("\u043E\u0412\u0410\u041B \u00E9"), &oval);
  EXPECT_THROW(book.AddWorksheet("\u041E\u0412\u0410\u041B \u00E9"), Error);
  sheet.SetName("sheet1");  // its own name in another case is fine
  sheet.SetName(std::string(31, 'y'));
  EXPECT_EQ(sheet.Name(), std::string(31, 'y'));
  // A renamed sheet is found by its new name only, and its old one is free.
  EXPECT_EQ(&book.Sheets().Item(std::string(31, 'Y')), &sheet);
  EXPECT_THROW(book.Sheets().Item("sheet1"), Error);
  book.AddWorksheet("Sheet1");
}

// A workbook with a chart sheet between two worksheets, made through the
// writer because no test peer writes chart sheets.
void MakeBookWithChart(const std::filesystem::path& path) {
  xls::BookData book = xls::MakeBlankWorkbook();
  auto chart = std::make_shared<xls::SheetData>();
  std::string bof;
  for (std::uint16_t v : {0x0600, 0x0020, 0x0DBB, 0x07CC}) {
    xls::AppendU16(bof, v);
  }
  xls::AppendU32(bof, 0);
  xls::AppendU32(bof, 6);
  chart->records = {{xls::rt::kBof, bof}, {xls::rt::kEof, {}}};
  book.sheets.push_back({"Chart1", 0, 2, chart, -1, {}});
  book.sheets.push_back({"Sheet2", 0, 0, xls::MakeBlankSheet(), -1, {}});
  xls::WriteWorkbook(book, path.string());
}

TEST(TemplateFaithfulnessTest, WorksheetsLeaveOutChartSheets) {
  TempDir dir;
  MakeBookWithChart(dir / "chart.xls");
  Application app;
  Workbook& book = app.Workbooks().Add(dir / "chart.xls");
  EXPECT_EQ(book.Sheets().Count(), 3);
  EXPECT_EQ(book.Worksheets().Count(), 2);
  EXPECT_EQ(book.Sheets().Item(2).Kind(), SheetKind::kChart);
  EXPECT_EQ(book.Worksheets().Item(2).Name(), "Sheet2");
  EXPECT_THROW(book.Worksheets().Item("Chart1"), Error);
  EXPECT_THROW(book.Sheets().Item(2).SetCells(1, 1, 1.0), Error);
  book.Sheets().Item(3).SetCells(1, 1, "after the chart");
  book.SaveAs(dir / "again.xls");
  Workbook& again = app.Workbooks().Add(dir / "again.xls");
  EXPECT_EQ(again.Sheets().Item(2).Kind(), SheetKind::kChart);
  EXPECT_EQ(again.Sheets().Item(3).Cells(1, 1).text(), "after the chart");
}

TEST(TemplateFaithfulnessTest, SelectMakesTheSheetActiveInTheSavedFile) {
  TempDir dir;
  Application app;
  Workbook& book = app.Workbooks().Add();
  Sheet& second = book.AddWorksheet("Second");
  EXPECT_EQ(&book.ActiveSheet(), &book.Sheets().Item(1));
  second.Select();
  EXPECT_EQ(&book.ActiveSheet(), &second);
  book.SaveAs(dir / "active.xls");
  Workbook& again = app.Workbooks().Add(dir / "active.xls");
  EXPECT_EQ(again.ActiveSheet().Name(), "Second");
}

TEST(TemplateFaithfulnessTest, AFailedSaveNamesTheFileAndLeavesNoTrace) {
  TempDir dir;
  Application app;
  Workbook& book = app.Workbooks().Add();
  try {
    book.SaveAs(dir / "missing" / "Price.xls");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(
        std::string(e.what()).rfind((dir / "missing" / "Price.xls").string() +
                                        ": cannot save the workbook (",
                                    0),
        0u)
        << e.what();
  }
  // A folder where the file should go cannot be replaced: it stays as it
  // was and no half-written file is left beside it.
  std::filesystem::create_directories(dir / "Price.xls" / "inside");
  EXPECT_THROW(book.SaveAs(dir / "Price.xls"), Error);
  EXPECT_TRUE(std::filesystem::exists(dir / "Price.xls" / "inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);
}

// Closed, a workbook refuses every use, a sheet read from its file and not
// yet decoded included, whether read cell by cell or for its values.
TEST(TemplateFaithfulnessTest, AClosedWorkbookRefusesFurtherWork) {
  TempDir dir;
  Application app;
  Workbook& saved = app.Workbooks().Add();
  saved.SaveAs(dir / "saved.xls");
  saved.Close();
  for (bool from_file : {false, true}) {
    Workbook& book = from_file ? app.Workbooks().Add(dir / "saved.xls")
                               : app.Workbooks().Add();
    Sheet& sheet = book.Sheets().Item(1);
    EXPECT_EQ(app.Workbooks().Count(), 1);
    book.Close();
    EXPECT_FALSE(book.IsOpen());
    EXPECT_EQ(app.Workbooks().Count(), 0);
    EXPECT_THROW(sheet.Cells(1, 1), Error);
    EXPECT_THROW(CellReader(sheet).Cells(1, 1), Error);
    double number;
    EXPECT_THROW(
        CellReader(sheet, CellReader::Use::kValues).NumberAt(1, 1, &number),
        Error);
    EXPECT_THROW(book.SaveAs(dir / "closed.xls"), Error);
    EXPECT_THROW(app.ActiveWorkbook(), Error);
    EXPECT_FALSE(std::filesystem::exists(dir / "closed.xls"));
  }
}

}  // namespace
}  // namespace tarnwick::spreadsheet
