#include "import/csv/convert_csv_file.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "import/csv/csv_fixture.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::ColumnA;
using testing::ReadBytes;
using testing::ScriptedHost;
using testing::Shown;
using testing::TableRecords;
using testing::TempDir;
using testing::WriteBytes;

std::string OneRecordPerColor(const std::vector<std::string>& colors) {
  std::string text;
  for (const std::string& c : colors) text += "R,IF," + c + ",0.3,1,1,x\r\n";
  return text;
}

class ConvertCSVFileTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::MakeCsvAppFolder(dir_.path()); }

  // Converts `text` as the file p.csv into the sheet "Price".
  void Convert(const std::string& text, double records = 1) {
    WriteBytes(dir_ / "p.csv", text);
    ConvertCSVFile(dir_ / "p.csv", "Price", records, run_);
  }

  TempDir dir_;
  ScriptedHost host_;
  PriceModule module_;
  spreadsheet::Application app_;
  spreadsheet::Workbook& book_ = app_.Workbooks().Add();
  spreadsheet::Sheet& sheet_ = [this]() -> spreadsheet::Sheet& {
    spreadsheet::Sheet& s = book_.Worksheets().Item(1);
    s.SetName("Price");
    return s;
  }();
  CsvImportRun run_{dir_.path(), module_.csv, book_, host_};
};

TEST_F(ConvertCSVFileTest, OneMassWithTwoFullColoursIsOneBlock) {
  Convert(TableRecords("0.30", {"D", "E"}, 1000));
  EXPECT_EQ(Shown(sheet_, 1, 1), "Tables:");
  EXPECT_EQ(sheet_.Cells(1, 2), spreadsheet::CellValue::Number(1));
  EXPECT_EQ(ColumnA(sheet_, 3, 11),
            (std::vector<std::string>{"Format:", "Mass:", "Magnify:", "", "D",
                                      "E", "", "", "End Price"}));
  EXPECT_EQ(Shown(sheet_, 3, 2), "11");  // clarity dictionary entries
  EXPECT_EQ(Shown(sheet_, 3, 3), "8");   // colour dictionary entries
  EXPECT_EQ(Shown(sheet_, 4, 2), "0.3");
  EXPECT_EQ(Shown(sheet_, 6, 2), "IF");
  EXPECT_EQ(Shown(sheet_, 6, 12), "I3");
  EXPECT_EQ(Shown(sheet_, 7, 2), "1000");
  EXPECT_EQ(Shown(sheet_, 8, 12), "1021");
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_TRUE(module_.csv.block_pending);
}

TEST_F(ConvertCSVFileTest, EachChangeOfMassStartsABlock) {
  Convert(TableRecords("0.30", {"D"}, 1) + TableRecords("0.40", {"E"}, 100) +
          TableRecords("0.50", {"F"}, 200));
  EXPECT_EQ(sheet_.Cells(1, 2), spreadsheet::CellValue::Number(3));
  EXPECT_EQ(ColumnA(sheet_, 3, 23),
            (std::vector<std::string>{
                "Format:",   "Mass:", "Magnify:", "", "D", "",      //
                "Format:",   "Mass:", "Magnify:", "", "E", "",      //
                "Format:",   "Mass:", "Magnify:", "", "F", "", "",  //
                "End Price", ""}));
  EXPECT_EQ(Shown(sheet_, 10, 2), "0.4");
  EXPECT_EQ(Shown(sheet_, 19, 12), "210");
}

TEST_F(ConvertCSVFileTest, PricesArePlacedByPositionNotByGrade) {
  // D has only ten records: E's first price fills D's last column, while E
  // still gets its own label row.
  std::string d = TableRecords("0.30", {"D"}, 1);
  d.erase(d.rfind("R,I3"));
  Convert(d + TableRecords("0.30", {"E"}, 100));
  EXPECT_EQ(ColumnA(sheet_, 7, 8), (std::vector<std::string>{"D", "E"}));
  EXPECT_EQ(Shown(sheet_, 7, 11), "10");
  EXPECT_EQ(Shown(sheet_, 7, 12), "100");
  EXPECT_EQ(Shown(sheet_, 8, 2), "101");
  EXPECT_EQ(Shown(sheet_, 8, 11), "110");
  EXPECT_TRUE(sheet_.Cells(8, 12).IsEmpty());
}

TEST_F(ConvertCSVFileTest, TableKeysAndColoursCompareAsTheyAreRead) {
  // 0.3 and 0.30 read as the same number; d and D are one colour.
  Convert(TableRecords("0.3", {"d"}, 1) + TableRecords("0.30", {"D"}, 100));
  EXPECT_EQ(sheet_.Cells(1, 2), spreadsheet::CellValue::Number(1));
  // D's prices fill the second grid row, which has no label to show it.
  EXPECT_EQ(ColumnA(sheet_, 7, 8), (std::vector<std::string>{"d", ""}));
  EXPECT_EQ(Shown(sheet_, 7, 12), "11");
  EXPECT_TRUE(sheet_.Cells(8, 2).IsEmpty());
}

TEST_F(ConvertCSVFileTest, QuotedMassesKeepTheirDigitsAsKeys) {
  Convert(TableRecords("\"0.30\"", {"D"}, 1) + TableRecords("0.30", {"E"}, 1));
  EXPECT_EQ(sheet_.Cells(1, 2), spreadsheet::CellValue::Number(2));
}

TEST_F(ConvertCSVFileTest, RecordsWithAnEmptyMassAreEachATable) {
  Convert("R,IF,D,,1,10,x\r\nR,IF,D,,1,20,x\r\nR,VVS1,D,,1,30,x\r\n");
  EXPECT_EQ(sheet_.Cells(1, 2), spreadsheet::CellValue::Number(3));
  EXPECT_EQ(Shown(sheet_, 19, 2), "30");
}

TEST_F(ConvertCSVFileTest, AClarityDictionaryOfTwelveWrapsTheHeader) {
  std::string clarities;
  for (const std::string& c : testing::UsualClarities())
    clarities += c + "\r\n";
  WriteBytes(dir_ / "System" / "Clarity.txt", clarities + "XX\r\n");
  Convert(TableRecords("0.30", {"D"}, 1));
  EXPECT_EQ(Shown(sheet_, 3, 2), "12");
  EXPECT_EQ(Shown(sheet_, 6, 2), "XX");
  EXPECT_EQ(Shown(sheet_, 6, 3), "VVS1");
  EXPECT_EQ(Shown(sheet_, 6, 12), "I3");
}

TEST_F(ConvertCSVFileTest, ProgressRoundsHalvesToEven) {
  Convert(
      "R,IF,D,1,2,3,x\r\n"
      "R,IF,D,1,2,3,x\r\n"
      "R,IF,D,1,2,3,x\r\n"
      "R,IF,D,1,2,3,x\r\n"
      "R,IF,D,1,2,3,x\r\n"
      "R,IF,D,1,2,3,x\r\n"
      "R,IF,D,1,2,3,x\r\n"
      "R,IF,D,1,2,3,x\r\n",
      8);
  EXPECT_EQ(host_.percents_seen,
            (std::vector<std::string>{"12%", "25%", "38%", "50%", "62%", "75%",
                                      "88%", "100%"}));
  EXPECT_EQ(host_.progress_max, 8);
  EXPECT_EQ(host_.progress_value, 8);
  EXPECT_EQ(host_.progress_caption, "Converting(Price)");
}

TEST_F(ConvertCSVFileTest, AcceptedGradesAreAddedAndTheRecordConverted) {
  host_.answers = {true, true};
  Convert("R,VS3,Z,0.3,0.39,500,x\r\nR,vs3,z,0.3,0.39,600,x\r\n");
  EXPECT_EQ(host_.questions.size(), 2u);  // clarity first, then colour
  EXPECT_EQ(host_.questions[0].substr(0, 14), "Clarity \" VS3 ");
  EXPECT_EQ(host_.questions[1].substr(0, 10), "Color \" Z ");
  EXPECT_TRUE(
      ReadBytes(dir_ / "System" / "Clarity.txt").ends_with("I3\r\nVS3\r\n"));
  EXPECT_TRUE(ReadBytes(dir_ / "System" / "Color.txt").ends_with("K\r\nZ\r\n"));
  EXPECT_EQ(Shown(sheet_, 3, 2), "12");
  EXPECT_EQ(Shown(sheet_, 7, 3), "600");
}

TEST_F(ConvertCSVFileTest, RefusingAGradeInTheSecondTableKeepsOnlyTheFirst) {
  module_.csv.continue_csv = true;
  host_.answers = {false};
  Convert(TableRecords("0.30", {"D"}, 1) + TableRecords("0.40", {"E"}, 1) +
          "R,IF,Q,0.40,0.99,5,x\r\n");
  EXPECT_FALSE(module_.csv.continue_csv);
  EXPECT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(Shown(sheet_, 3, 1), "Format:");
  EXPECT_EQ(Shown(sheet_, 7, 1), "D");
  EXPECT_TRUE(sheet_.Cells(9, 1).IsEmpty());  // second table never written
  EXPECT_TRUE(sheet_.Cells(1, 1).IsEmpty());  // no "Tables:"
  EXPECT_EQ(ReadBytes(dir_ / "System" / "Color.txt").find('Q'),
            std::string::npos);
}

TEST_F(ConvertCSVFileTest, AMissingDictionaryLeavesTheSheetUntouched) {
  std::filesystem::remove(dir_ / "System" / "Clarity.txt");
  Convert(TableRecords("0.30", {"D"}, 1));
  EXPECT_EQ(module_.csv.dict_missing, 1);
  EXPECT_EQ(host_.MessageTexts(),
            std::vector<std::string>{"Standard Clarity file not exist"});
  EXPECT_TRUE(sheet_.Cells(1, 1).IsEmpty());
  EXPECT_TRUE(sheet_.Cells(3, 1).IsEmpty());
}

TEST_F(ConvertCSVFileTest, TablesThatDoNotFitAreErrorsNamingFileAndRecord) {
  std::vector<std::string> colors;
  for (char c = 'A'; c <= 'Z'; ++c) colors.push_back(std::string(1, c));
  host_.answers = std::deque<bool>(40, true);
  struct Case {
    std::string text;
    std::string where;
  } cases[] = {
      // 26 full colours and one price more: no grid cell is left.
      {TableRecords("0.30", colors, 1) + "R,IF,Z,0.30,1,9,x\r\n",
       "p.csv, record 287: "},
      // A 27th colour would wrap the labels onto the first.
      {OneRecordPerColor(colors) + "R,IF,AA,0.3,1,1,x\r\n",
       "p.csv, record 27: "},
      {"R,IF,D,0.3,1,1,x\r\nR,IF,D", "p.csv, record 2: "},
      {"", "p.csv: "},
  };
  for (const Case& c : cases) {
    try {
      Convert(c.text);
      ADD_FAILURE() << c.where;
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()).substr(0, c.where.size()), c.where);
    }
  }
}

}  // namespace
}  // namespace tarnwick
