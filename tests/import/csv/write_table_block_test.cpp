#include "import/csv/write_table_block.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "import/csv/csv_fixture.h"

namespace tarnwick {
namespace {

using testing::ColumnA;
using testing::Shown;

class WriteTableBlockTest : public ::testing::Test {
 protected:
  // A block of the given colours, each priced 100 + 10 * colour + clarity.
  TableBlock Block(const std::vector<std::string>& colors) {
    TableBlock block;
    block.format_counts = {"11", "8"};
    block.mass_range = {"0.3", "0.39"};
    for (int i = 0; i < 11; ++i) {
      block.clarity_header[i] = testing::UsualClarities()[i];
    }
    for (std::size_t c = 0; c < colors.size(); ++c) {
      block.color_labels[c] = colors[c];
      for (int j = 0; j < 11; ++j) {
        block.price_grid[c][j] = std::to_string(100 + 10 * c + j);
      }
    }
    return block;
  }

  spreadsheet::Application app_;
  spreadsheet::Sheet& sheet_ = app_.Workbooks().Add().Worksheets().Item(1);
  CsvImportState state_;
  std::int16_t table_count_ = 0;
  std::int16_t row_ = 2;
};

TEST_F(WriteTableBlockTest, LaysOutTheMarkerRowsHeaderAndPrices) {
  WriteTableBlock(table_count_, row_, Block({"D", "E"}), state_, sheet_);
  EXPECT_EQ(table_count_, 1);
  EXPECT_EQ(row_, 9);
  EXPECT_EQ(
      ColumnA(sheet_, 3, 8),
      (std::vector<std::string>{"Format:", "Mass:", "Magnify:", "", "D", "E"}));
  EXPECT_EQ(Shown(sheet_, 3, 2), "11");
  EXPECT_EQ(Shown(sheet_, 3, 3), "8");
  EXPECT_EQ(Shown(sheet_, 4, 2), "0.3");
  EXPECT_EQ(Shown(sheet_, 4, 3), "0.39");
  EXPECT_EQ(sheet_.Cells(5, 2), spreadsheet::CellValue::Number(1));
  EXPECT_EQ(Shown(sheet_, 6, 2), "IF");
  EXPECT_EQ(Shown(sheet_, 6, 12), "I3");
  EXPECT_EQ(sheet_.Cells(7, 2), spreadsheet::CellValue::Number(100));
  EXPECT_EQ(Shown(sheet_, 8, 12), "120");
  EXPECT_TRUE(sheet_.Cells(8, 13).IsEmpty());
}

TEST_F(WriteTableBlockTest, TwoBlocksOfThreeColoursStartAtRowsThreeAndEleven) {
  WriteTableBlock(table_count_, row_, Block({"D", "E", "F"}), state_, sheet_);
  WriteTableBlock(table_count_, row_, Block({"G", "H", "I"}), state_, sheet_);
  EXPECT_EQ(table_count_, 2);
  EXPECT_EQ(Shown(sheet_, 3, 1), "Format:");
  EXPECT_EQ(Shown(sheet_, 9, 1), "F");
  EXPECT_EQ(Shown(sheet_, 10, 1), "");
  EXPECT_EQ(Shown(sheet_, 11, 1), "Format:");
  EXPECT_EQ(row_, 18);
}

TEST_F(WriteTableBlockTest, MissingSampleColoursFollowAsBareRows) {
  state_.sample_colors = {"D", "E", "F", "G", "H", "I", "J", "K", "", "d"};
  WriteTableBlock(table_count_, row_, Block({"D", "E", "F"}), state_, sheet_);
  EXPECT_EQ(ColumnA(sheet_, 7, 16),
            (std::vector<std::string>{"D", "E", "F", "G", "H", "I", "J", "K",
                                      "d", ""}));
  for (int row = 10; row <= 15; ++row) {
    EXPECT_TRUE(sheet_.Cells(row, 2).IsEmpty()) << row;
  }
}

TEST_F(WriteTableBlockTest, SampleColoursCompareWithLetterCase) {
  state_.sample_colors[0] = "D";
  WriteTableBlock(table_count_, row_, Block({"d"}), state_, sheet_);
  EXPECT_EQ(ColumnA(sheet_, 7, 9), (std::vector<std::string>{"d", "D", ""}));
}

TEST_F(WriteTableBlockTest, HeaderStopsAtItsFirstEmptyEntryButPricesDoNot) {
  TableBlock block = Block({"D"});
  block.clarity_header[3].clear();
  block.price_grid[0][10].clear();
  sheet_.SetCells(6, 5, "left alone");
  sheet_.SetCells(7, 12, "overwritten");
  WriteTableBlock(table_count_, row_, block, state_, sheet_);
  EXPECT_EQ(Shown(sheet_, 6, 4), "VVS2");
  EXPECT_EQ(Shown(sheet_, 6, 5), "left alone");
  EXPECT_TRUE(sheet_.Cells(6, 6).IsEmpty());
  EXPECT_TRUE(sheet_.Cells(7, 12).IsEmpty());
}

TEST_F(WriteTableBlockTest, ABlockPastTheLastReadableRowIsAnError) {
  row_ = 32760;
  EXPECT_THROW(WriteTableBlock(table_count_, row_, Block({"D", "E", "F"}),
                               state_, sheet_),
               Error);
}

TEST(ListIndexOfTest, FindsTheFirstExactEntryOr99) {
  const std::vector<std::string> list = {"D", "E", "F", "E"};
  EXPECT_EQ(ListIndexOf(list, "E"), 1);
  EXPECT_EQ(ListIndexOf(list, "G"), 99);
  EXPECT_EQ(ListIndexOf(list, "e"), 99);
}

}  // namespace
}  // namespace tarnwick
