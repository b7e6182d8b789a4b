#include <gtest/gtest.h>

#include "spreadsheet/application.h"
#include "spreadsheet/xls_peers.h"
#include "support/temp_dir.h"

namespace tarnwick::spreadsheet {
namespace {

using test::TarnwickDump;
using test::TempDir;
using test::XlrdDump;

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
TEST(WorkbookRoundTripTest, CellsAndSheetsSurviveSaveAndAreReadByXlrd) {
  TempDir dir;
  Application app;
  Workbook& book = app.Workbooks().Add();
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
  book.SaveAs(dir / "out.xls");
  EXPECT_EQ(TarnwickDump(dir / "out.xls"), expected);
  EXPECT_EQ(XlrdDump(dir / "out.xls"), expected);
  // The fonts and formats of a new workbook are whole enough for xlrd to
  // read them too.
  EXPECT_NE(XlrdDump(dir / "out.xls", true)
                .find("\n2\t1\ts\tRound 1.00 ct\tbold=0\tformat=General\n"),
            std::string::npos);
}

TEST(WorkbookRoundTripTest, TypedTextThatIsANumberIsStoredAsANumber) {
  Application app;
  Sheet& sheet = app.Workbooks().Add().Sheets().Item(1);
  const struct {
    const char* typed;
    CellValue stored;
  } cases[] = {
      {" -12.5 ", CellValue::Number(-12.5)},
      {"1,250", CellValue::Text("1,250")},
      {"1e999", CellValue::Text("1e999")},
      {"", CellValue()},
  };
  for (const auto& c : cases) {
    sheet.SetCells(1, 1, c.typed);
    EXPECT_EQ(sheet.Cells(1, 1), c.stored) << c.typed;
  }
}

}  // namespace
}  // namespace tarnwick::spreadsheet
