#include "spreadsheet/cell_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/error.h"
#include "spreadsheet/application.h"
#include "spreadsheet/cell_text.h"
#include "spreadsheet/xls_peers.h"
#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick::spreadsheet {
namespace {

// A text cell shows its text as it is, and counts as a number only when it
// is one as a whole.
TEST(CellTextTest, ATextIsNumericOnlyWhenItIsANumberAsAWhole) {
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
TEST(CellReaderTest, ASheetReadForItsValuesShowsEveryCellAsItIs) {
  for (const char* formulas : {"", "--formulas"}) {
    test::TempDir dir;
    test::RunPeer("write_discount_sheet.py", {dir / "Discount1.xls", formulas});
    EXPECT_EQ(test::TarnwickDump(dir / "Discount1.xls", true),
              test::TarnwickDump(dir / "Discount1.xls"))
        << formulas;
    Application app;
    CellReader values(
        app.Workbooks().Add(dir / "Discount1.xls").Sheets().Item(1),
        CellReader::Use::kValues);
    EXPECT_THROW(values.Cells(1, 257), Error);
  }
}

}  // namespace
}  // namespace tarnwick::spreadsheet
