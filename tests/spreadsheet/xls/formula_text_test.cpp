#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "spreadsheet/xls/blank_workbook.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/record.h"
#include "spreadsheet/xls/workbook_reader.h"
#include "spreadsheet/xls/workbook_writer.h"

namespace tarnwick::spreadsheet::xls {
namespace {

// A FORMULA record at B1 whose last result was a text, with the STRING
// record holding that text.
std::string TextFormulaRecords(const std::string& text) {
  std::string formula;
  AppendU16(formula, 0);  // row
  AppendU16(formula, 1);  // column
  AppendU16(formula, kDefaultXf);
  formula += std::string("\x00\x00\x00\x00\x00\x00\xFF\xFF", 8);
  AppendU16(formula, 0);  // options
  AppendU32(formula, 0);
  AppendU16(formula, 6);  // ="abc": a string constant
  formula += std::string(
      "\x17\x03\x00"
      "abc",
      6);
  std::string string;
  AppendU16(string, static_cast<std::uint16_t>(text.size()));
  AppendU8(string, 0);
  string += text;
  std::string records;
  AppendRecord(records, rt::kFormula, formula);
  AppendRecord(records, rt::kString, string);
  return records;
}

// A sheet whose A1 is a plain text and B1 that formula, read back: the
// formula's text is not the first of the sheet, nor is its record.
BookData BookWithTextFormula() {
  BookData book = MakeBlankWorkbook();
  auto sheet = std::make_shared<SheetData>(*book.sheets[0].Data());
  sheet->rows.resize(1);
  sheet->rows[0].cells.resize(2);
  SetText(*sheet, sheet->rows[0].cells[0], "plain");
  StoredCell& b1 = sheet->rows[0].cells[1];
  SetText(*sheet, b1, "abc");
  sheet->formula_texts.push_back(b1.ref);
  b1.ref = 0;
  b1.is_formula = true;
  sheet->formulas.push_back(TextFormulaRecords("abc"));
  book.sheets[0].data = sheet;
  return ParseWorkbookStream(WriteWorkbookStream(book), "book");
}

// The text a formula last gave is read, kept through a save, and stays as
// the cell's value once the formula goes; other texts keep their own.
TEST(FormulaTextTest, AFormulasTextResultOutlivesSavesAndTheFormula) {
  BookData book = BookWithTextFormula();
  BookData again = ParseWorkbookStream(WriteWorkbookStream(book), "again");
  auto sheet = std::make_shared<SheetData>(*again.sheets[0].Data());
  StoredCell& b1 = sheet->rows.at(0).cells.at(1);
  ASSERT_TRUE(b1.has_formula());
  EXPECT_EQ(ValueOf(*sheet, b1), CellValue::Text("abc"));
  EXPECT_EQ(ValueOf(*sheet, sheet->rows[0].cells[0]), CellValue::Text("plain"));

  DropFormula(*sheet, b1);
  EXPECT_FALSE(b1.has_formula());
  EXPECT_EQ(ValueOf(*sheet, b1), CellValue::Text("abc"));
  SetText(*sheet, b1, "new");
  EXPECT_EQ(ValueOf(*sheet, b1), CellValue::Text("new"));
  EXPECT_EQ(ValueOf(*sheet, sheet->rows[0].cells[0]), CellValue::Text("plain"));
}

}  // namespace
}  // namespace tarnwick::spreadsheet::xls
