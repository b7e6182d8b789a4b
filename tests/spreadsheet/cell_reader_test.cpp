#include "spreadsheet/cell_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "core/error.h"
#include "spreadsheet/application.h"
#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick::spreadsheet {
namespace {

using test::TempDir;

// Read for its values, a sheet shows every cell as Sheet::Cells does,
// whether its values were laid out in a block or it was decoded whole
// (as a sheet holding a formula is).
TEST(CellReaderTest, ASheetReadForItsValuesShowsEveryCellAsItIs) {
  for (bool formulas : {false, true}) {
    SCOPED_TRACE(formulas);
    TempDir dir;
    test::RunPeer("write_discount_sheet.py",
                  {dir / "Discount1.xls", formulas ? "--formulas" : ""});
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
