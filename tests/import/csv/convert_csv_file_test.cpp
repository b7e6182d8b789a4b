#include "import/csv/convert_csv_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "core/number_rules.h"
#include "import/csv/write_table_block.h"
#include "import/error_of.h"
#include "import/import_fixture.h"
#include "spreadsheet/cell_text.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::ShownCells;
using test::TableRecords;
using Column = std::vector<std::string>;

class ConvertCSVFileTest : public ::testing::Test {
 protected:
  void SetUp() override { test::MakeCsvAppFolder(dir_.path()); }

  // Converts `text` as the file p.csv into the sheet `sheet`.
  void Convert(const std::string& text, double records = 1,
               const std::string& sheet = "Sheet1") {
    test::WriteBytes(dir_ / "p.csv", text);
    import::ItemReader items(dir_ / "p.csv");
    import::ConvertCSVFile(dir_ / "p.csv", items, sheet, records, run_);
  }

  test::TempDir dir_;
  test::ScriptedHost host_;
  import::PriceModule module_;
  spreadsheet::Application app_;
  spreadsheet::Workbook& book_ = app_.Workbooks().Add();
  import::CsvImportRun run_{dir_.path(), module_.csv, book_, host_, {}};
};

TEST_F(ConvertCSVFileTest, BlocksFollowTheMassesAndPricesTheirPositions) {
  const std::string block = "Format:|Mass:|Magnify:||";
  const std::string one_block = block + "D|E|||End Price";
  std::string ten_of_d = TableRecords("0.30", {"D"}, 1);
  ten_of_d.erase(ten_of_d.rfind("R,I3"));
  // What the case shows, the file, the table count, column A from row 3 with
  // "|" between rows ("Tables:" in row 1), and cells.
  using Case =
      std::tuple<const char*, std::string, double, std::string, std::string>;
  const Case cases[] = {
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
      {"prices are entered as their values",
       "R,IF,D,1,2,007,x\r\nR,VVS1,D,1,2,\"12\",x\r\nR,VVS2,D,1,2,1.50,x\r\n"
       "R,VS1,D,1,2,1E3,x\r\nR,VS2,D,1,2,abc,x\r\nR,SI1,D,1,2,,x\r\n"
       "R,SI2,D,1,2,1234567890123456789,x\r\n",
       1, "Format:",
       "7/2=7 7/3=12 7/4=1.5 7/5=1000 7/6=abc 7/7= "
       "7/8=1.23456789012346E+18"},
      {"records with an empty mass are each a table",
       "R,IF,D,,1,10,x\r\nR,IF,D,,1,20,x\r\nR,VVS1,D,,1,30,x\r\n", 3,
       "Format:", "19/2=30"},
  };
  for (const auto& [what, text, tables, column_a, cells] : cases) {
    SCOPED_TRACE(what);
    spreadsheet::Sheet& sheet =
        book_.AddWorksheet("T" + std::to_string(book_.Sheets().Count()));
    module_.csv = import::CsvImportState();
    Convert(text, 1, sheet.Name());
    EXPECT_TRUE(host_.messages.empty());
    EXPECT_EQ(sheet.Cells(1, 2), spreadsheet::CellValue::Number(tables));
    EXPECT_EQ(ShownCells(sheet, cells), cells);
    std::string shown;
    for (int row = 1; row <= 3 + std::ranges::count(column_a, '|'); ++row)
      shown += CellText(sheet.Cells(row, 1)) + "|";
    EXPECT_EQ(shown, "Tables:||" + column_a + "|");
  }
}

TEST_F(ConvertCSVFileTest, OnlyAcceptedGradesAreAddedAndEachRecordStepsTheBar) {
  host_.answers = {true, true};
  Convert("R,VS3,Z,0.3,0.39,500,x\r\nR,vs3,z,0.3,0.39,600,x\r\n", 2);
  EXPECT_EQ(host_.questions,
            (Column{"Clarity \" VS3 \" not defined in Clarity.txt file.\r\n"
                    "Do you want to insert this into System\\Clarity.txt file",
                    "Color \" Z \" not defined in Color.txt file.\r\n"
                    "Do you want to insert this into System\\Color.txt file"}));
  EXPECT_EQ(ShownCells(book_.Sheets().Item(1), "3/2=12 7/3=600"),
            "3/2=12 7/3=600");
  EXPECT_EQ(host_.percents_seen, (Column{"50%", "100%"}));
  EXPECT_EQ(host_.progress_caption + " " + NumberText(host_.progress_value) +
                "/" + NumberText(host_.progress_max),
            "Converting(Sheet1) 2/2");
  // A refused grade is not added.
  host_.answers = {false};
  Convert("R,IF,Y,0.3,0.39,700,x\r\n");
  EXPECT_EQ(host_.questions.size(), 3u);
  EXPECT_TRUE(test::ReadBytes(dir_ / "System" / "Clarity.txt")
                  .ends_with("I3\r\nVS3\r\n"));
  EXPECT_EQ(test::ReadBytes(dir_ / "System" / "Color.txt"),
            "D\r\nE\r\nF\r\nG\r\nH\r\nI\r\nJ\r\nK\r\nZ\r\n");
}

TEST_F(ConvertCSVFileTest, HeaderStopsAtItsFirstEmptyEntryButPricesDoNot) {
  spreadsheet::Sheet& sheet = book_.Worksheets().Item(1);
  import::TableBlock block;
  block.clarity_header = {"IF", "VVS1", "VVS2", "", "VS2"};
  block.color_labels[0] = "D";
  block.price_grid[0][0] = spreadsheet::CellValue::Number(100);
  sheet.SetCells(6, 5, "kept");
  sheet.SetCells(7, 12, "overwritten");
  std::int16_t tables = 0, row = 2;
  import::WriteTableBlock(tables, row, block, module_.csv, sheet);
  const std::string cells = "6/4=VVS2 6/5=kept 6/6= 7/1=D 7/2=100 7/12=";
  EXPECT_EQ(ShownCells(sheet, cells), cells);
  // Its Magnify row is the last readable one.
  row = 32764;
  EXPECT_EQ(test::ErrorOf([&] {
              WriteTableBlock(tables, row, block, module_.csv, sheet);
            }),
            "the price tables do not fit in the 32767 rows of a price sheet");
}

}  // namespace
}  // namespace tarnwick
