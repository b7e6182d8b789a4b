#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "spreadsheet/xls/blank_workbook.h"
#include "spreadsheet/xls/record.h"
#include "spreadsheet/xls/workbook_reader.h"
#include "spreadsheet/xls/workbook_writer.h"

namespace tarnwick::spreadsheet::xls {
namespace {

// The text a formula last gave is read, kept through a save, and stays as
// the cell's value once the formula goes; other texts keep their own.
TEST(FormulaTextTest, AFormulasTextResultOutlivesSavesAndTheFormula) {
  // A1 a plain text and B1 the formula ="abc", whose last result (in the
  // STRING record after it) was a text: the formula's text is not the first
  // of the sheet, nor is its record.
  std::string records;
  AppendRecord(records, rt::kFormula,
               std::string("\0\0\1\0\x0F\0"        // B1, default format
                           "\0\0\0\0\0\0\xFF\xFF"  // a text result
                           "\0\0\0\0\0\0\6\0\x17\3\0abc",
                           28));
  AppendRecord(records, rt::kString, std::string("\3\0\0abc", 6));
  BookData book = MakeBlankWorkbook();
  auto sheet = std::make_shared<SheetData>(*book.sheets[0].Data());
  sheet->rows.resize(1);
  sheet->rows[0].cells.resize(2);
  SetText(*sheet, sheet->rows[0].cells[0], "plain");
  StoredCell& formula = sheet->rows[0].cells[1];
  SetText(*sheet, formula, "abc");
  sheet->formula_texts.push_back(formula.ref);
  formula.ref = 0;
  formula.is_formula = true;
  sheet->formulas.push_back(records);
  book.sheets[0].data = sheet;
  for (int save = 0; save < 2; ++save) {
    book = ParseWorkbookStream(WriteWorkbookStream(book), "book");
  }
  sheet = std::make_shared<SheetData>(*book.sheets[0].Data());
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
