#include "spreadsheet/cell_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "core/error.h"
#include "spreadsheet/application.h"
#include "spreadsheet/xls_peers.h"
#include "support/temp_dir.h"

namespace tarnwick::spreadsheet {
namespace {

using testing::RunXlwt;
using testing::TempDir;

// A discount sheet as people keep them, and every other kind of cell
// besides: whole and fractional factors, a percentage typed as text, a
// blank formatted cell, a truth value, an error, formulas, a row of
// numbers xlwt writes as one MULRK.
void MakeDiscountSheet(const std::filesystem::path& path, bool formulas) {
  std::string program = R"(
book = xlwt.Workbook(encoding="utf-8")
s = book.add_sheet("Round")
s.write(0, 0, "Discount")
for r in range(1, 6):
    for c in range(1, 8):
        s.write(r, c, [0.95, 1, 0.9, 97, -0.5, 1e-7, 123456789.25][c - 1])
s.write(6, 1, "10 %")
s.write(6, 2, "", xlwt.easyxf("font: bold on"))
s.write(6, 3, True)
s.write(6, 4, xlwt.ErrorCode("#N/A") if hasattr(xlwt, "ErrorCode") else 7)
s.write(8, 9, 0.5)
)";
  if (formulas) program += "s.write(7, 1, xlwt.Formula(\"B2*2\"))\n";
  program += "book.save(\"" + path.string() + "\")\n";
  RunXlwt(program);
}

// Read for its values, a sheet shows every cell as Sheet::Cells does,
// whether its values were laid out in a block or it was decoded whole
// (as a sheet holding a formula is).
TEST(CellReaderTest, ASheetReadForItsValuesShowsEveryCellAsItIs) {
  for (bool formulas : {false, true}) {
    SCOPED_TRACE(formulas);
    TempDir dir;
    MakeDiscountSheet(dir / "Discount1.xls", formulas);
    // Two applications, so that the sheet read for its values is not
    // decoded already by the reading that tells what to expect.
    Application app;
    const Sheet& sheet =
        app.Workbooks().Add(dir / "Discount1.xls").Sheets().Item(1);
    Application other;
    CellReader values(
        other.Workbooks().Add(dir / "Discount1.xls").Sheets().Item(1),
        CellReader::Use::kValues);
    for (int row = 1; row <= 12; ++row) {
      for (int column = 1; column <= 12; ++column) {
        CellValue expected = sheet.Cells(row, column);
        EXPECT_EQ(values.Cells(row, column), expected) << row << "," << column;
        double number = -1;
        bool is_number = values.NumberAt(row, column, &number);
        EXPECT_EQ(is_number, expected.kind() == CellKind::kNumber);
        if (is_number) {
          EXPECT_EQ(number, expected.number());
        }
      }
    }
    EXPECT_THROW(values.Cells(1, 257), Error);
  }
}

}  // namespace
}  // namespace tarnwick::spreadsheet
