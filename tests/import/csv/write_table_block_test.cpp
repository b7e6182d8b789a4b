#include "import/csv/write_table_block.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "import/csv/csv_fixture.h"

namespace tarnwick {
namespace {

using test::ColumnA;
using test::Shown;
using Column = std::vector<std::string>;

class WriteTableBlockTest : public ::testing::Test {
 protected:
  // A block of the given colours, each priced 100 + 10 * colour + clarity.
  import::TableBlock Block(const Column& colors) { import::TableBlock block;
  block.format_counts = {"11", "8"};
  block.mass_range = {"0.3", "0.39"};
  for (int i = 0; i < 11; ++i) {
    block.clarity_header[i] = test::UsualClarities()[i];
  }
  for (std::size_t c = 0; c < colors.size(); ++c) {
    block.color_labels[c] = colors[c];
    for (int j = 0; j < 11; ++j) {
      block.price_grid[c][j] = std::to_string(100 + 10 * c + j);
    }
  }
  return block;
}

  void Write(const import::TableBlock& block) {
  import::WriteTableBlock(table_count_, row_, block, state_, sheet_);
}

spreadsheet::Application app_;
spreadsheet::Sheet& sheet_ = app_.Workbooks().Add().Worksheets().Item(1);
import::CsvImportState state_;
std::int16_t table_count_ = 0;
std::int16_t row_ = 2;
};  // namespace

TEST_F(WriteTableBlockTest, HeaderStopsAtItsFirstEmptyEntryButPricesDoNot) {
  import::TableBlock block = Block({"D"});
  block.clarity_header[3].clear();
  block.price_grid[0][10].clear();
  sheet_.SetCells(6, 5, "left alone");
  sheet_.SetCells(7, 12, "overwritten");
  Write(block);
  EXPECT_EQ(Shown(sheet_, 6, 4), "VVS2");
  EXPECT_EQ(Shown(sheet_, 6, 5), "left alone");
  EXPECT_TRUE(sheet_.Cells(6, 6).IsEmpty());
  EXPECT_TRUE(sheet_.Cells(7, 12).IsEmpty());
}

TEST_F(WriteTableBlockTest, ABlockPastTheLastReadableRowIsAnError) {
  row_ = 32760;
  EXPECT_THROW(Write(Block({"D", "E", "F"})), Error);
}

}  // namespace tarnwick
}  // namespace tarnwick
