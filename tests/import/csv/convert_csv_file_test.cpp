#include "import/csv/convert_csv_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/error.h"
#include "import/csv/csv_fixture.h"
#include "import/csv/write_table_block.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::ColumnA;
using test::ReadBytes;
using test::Shown;
using test::ShownCells;
using test::TableRecords;
using test::WriteBytes;
using Column = std::vector<std::string>;

class ConvertCSVFileTest : public ::testing::Test {
 protected:
  void SetUp() override { test::MakeCsvAppFolder(dir_.path()); }

  // Converts `text` as the file p.csv into the sheet `sheet`.
  void Convert(const std::string& text, double records = 1,
               const std::string& sheet = "Price") {
    WriteBytes(dir_ / "p.csv", text);
    import::ItemReader items(dir_ / "p.csv");
    import::ConvertCSVFile(dir_ / "p.csv", items, sheet, records, run_);
  }

  test::TempDir dir_;
  test::ScriptedHost host_;
  import::PriceModule module_;
  spreadsheet::Application app_;
  spreadsheet::Workbook& book_ = app_.Workbooks().Add();
  spreadsheet::Sheet& sheet_ = [this]() -> spreadsheet::Sheet& {
    spreadsheet::Sheet& s = book_.Worksheets().Item(1);
    s.SetName("Price");
    return s;
  }();
  import::CsvImportRun run_{dir_.path(), module_.csv, book_, host_, {}};
};

TEST_F(ConvertCSVFileTest, BlocksFollowTheMassesAndPricesTheirPositions) {
  const std::string block = "Format:|Mass:|Magnify:||";
  const std::string one_block = block + "D|E|||End Price";
  std::string ten_of_d = TableRecords("0.30", {"D"}, 1);
  ten_of_d.erase(ten_of_d.rfind("R,I3"));
  const struct {
    const char* what;
    std::string text;
    double tables;
    std::string column_a;  // from row 3, "|" between rows
    std::string cells;
  } cases[] = {
      {"one mass with two full colours", TableRecords("0.30", {"D", "E"}, 1000),
       1, one_block, "3/2=11 3/3=8 4/2=0.3 6/2=IF 6/12=I3 7/2=1000 8/12=1021"},
      {"each change of mass starts a block",
       TableRecords("0.30", {"D"}, 1) + TableRecords("0.40", {"E"}, 100) +
           TableRecords("0.50", {"F"}, 200),
       3, block + "D||" + block + "E||" + block + "F|||End Price|",
       "10/2=0.4 19/12=210"},
      {"two blocks of three colours start at rows 3 and 11",
       TableRecords("0.30", {"D", "E", "F"}, 1) +
           TableRecords("0.40", {"G", "H", "I"}, 1),
       2, block + "D|E|F||" + block + "G|H|I|||End Price", "12/2=0.4 17/12=33"},
      {"ten records of D: the first of E fills D's last column",
       ten_of_d + TableRecords("0.30", {"E"}, 100), 1, one_block,
       "7/11=10 7/12=100 8/2=101 8/11=110 8/12="},
      {"0.3 and 0.30 are one key, d and D one colour",
       TableRecords("0.3", {"d"}, 1) + TableRecords("0.30", {"D"}, 100), 1,
       block + "d|||End Price|", "7/12=11 8/2="},
      {"a quoted mass keeps its digits as key",
       TableRecords("\"0.30\"", {"D"}, 1) + TableRecords("0.30", {"E"}, 1), 2,
       "", ""},
      {"prices are entered as their values",
       "R,IF,D,1,2,007,x\r\nR,VVS1,D,1,2,\"12\",x\r\nR,VVS2,D,1,2,1.50,x\r\n"
       "R,VS1,D,1,2,1E3,x\r\nR,VS2,D,1,2,abc,x\r\nR,SI1,D,1,2,,x\r\n"
       "R,SI2,D,1,2,1234567890123456789,x\r\n",
       1, "",
       "7/2=7 7/3=12 7/4=1.5 7/5=1000 7/6=abc 7/7= 7/8=1.23456789012346E+18"},
      {"records with an empty mass are each a table",
       "R,IF,D,,1,10,x\r\nR,IF,D,,1,20,x\r\nR,VVS1,D,,1,30,x\r\n", 3, "",
       "19/2=30"},
  };
  int number = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::string name = "T" + std::to_string(++number);
    spreadsheet::Sheet& sheet = book_.AddWorksheet(name);
    module_.csv = import::CsvImportState();
    Convert(c.text, 1, name);
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_EQ(Shown(sheet, 1, 1), "Tables:");
    EXPECT_EQ(sheet.Cells(1, 2), spreadsheet::CellValue::Number(c.tables));
    EXPECT_EQ(ShownCells(sheet, c.cells), c.cells);
    const auto bars = std::ranges::count(c.column_a, '|');
    if (bars > 0) {
      EXPECT_EQ(ColumnA(sheet, 3, 3 + bars), c.column_a);
    }
  }
}

TEST_F(ConvertCSVFileTest, ProgressStepsOncePerRecord) {
  std::string text;
  for (int i = 0; i < 8; ++i) text += "R,IF,D,1,2,3,x\r\n";
  Convert(text, 8);
  EXPECT_EQ(host_.percents_seen,
            (Column{"12%", "25%", "38%", "50%", "62%", "75%", "88%", "100%"}));
  EXPECT_EQ(host_.progress_max, 8);
  EXPECT_EQ(host_.progress_value, 8);
  EXPECT_EQ(host_.progress_caption, "Converting(Price)");
}

TEST_F(ConvertCSVFileTest, AcceptedGradesAreAddedAndTheRecordConverted) {
  host_.answers = {true, true};
  Convert("R,VS3,Z,0.3,0.39,500,x\r\nR,vs3,z,0.3,0.39,600,x\r\n");
  EXPECT_EQ(host_.questions,
            (Column{"Clarity \" VS3 \" not defined in Clarity.txt file.\r\n"
                    "Do you want to insert this into System\\Clarity.txt file",
                    "Color \" Z \" not defined in Color.txt file.\r\n"
                    "Do you want to insert this into System\\Color.txt file"}));
  EXPECT_TRUE(
      ReadBytes(dir_ / "System" / "Clarity.txt").ends_with("I3\r\nVS3\r\n"));
  EXPECT_TRUE(ReadBytes(dir_ / "System" / "Color.txt").ends_with("K\r\nZ\r\n"));
  EXPECT_EQ(ShownCells(sheet_, "3/2=12 7/3=600"), "3/2=12 7/3=600");
}

// A block of `colors` colours, each priced 100 + 10 * colour + clarity.
tarnwick::import::TableBlock Block(std::size_t colors) {
  import::TableBlock block;
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
}

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

}  // namespace
}  // namespace tarnwick
