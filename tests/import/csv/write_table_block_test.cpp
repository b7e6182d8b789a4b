#include "import/csv/write_table_block.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "import/csv/csv_fixture.h"

namespace tarnwick {
namespace {

// A block of `colors` colours, each priced 100 + 10 * colour + clarity.
import::TableBlock Block(std::size_t colors){import::TableBlock block;
block.format_counts = {"11", "8"};
block.mass_range = {"0.3", "0.39"};
for (std::size_t c = 0; c < colors; ++c) {
  block.color_labels[c] = std::string(1, static_cast<char>('D' + c));
  for (int j = 0; j < 11; ++j) {
    block.clarity_header[j] = test::UsualClarities()[j];
    block.price_grid[c][j] =
        spreadsheet::CellValue::Number(static_cast<double>(100 + 10 * c + j));
  }
}
return block;
}  // namespace

TEST(WriteTableBlockTest, HeaderStopsAtItsFirstEmptyEntryButPricesDoNot) {
  spreadsheet::Application app;
  spreadsheet::Sheet& sheet = app.Workbooks().Add().Worksheets().Item(1);
  import::CsvImportState state;
  std::int16_t tables = 0, row = 2;
  import::TableBlock block = Block(1);
  block.clarity_header[3].clear();
  block.price_grid[0][10] = {};
  sheet.SetCells(6, 5, "kept");
  sheet.SetCells(7, 12, "overwritten");
  import::WriteTableBlock(tables, row, block, state, sheet);
  EXPECT_EQ(test::ShownCells(sheet, "6/4=VVS2 6/5=kept 7/2=100"),
            "6/4=VVS2 6/5=kept 7/2=100");
  EXPECT_TRUE(sheet.Cells(6, 6).IsEmpty());
  EXPECT_TRUE(sheet.Cells(7, 12).IsEmpty());
  // A block past the last readable row.
  row = 32760;
  EXPECT_THROW(WriteTableBlock(tables, row, Block(3), state, sheet), Error);
}

}  // namespace tarnwick
}  // namespace tarnwick
