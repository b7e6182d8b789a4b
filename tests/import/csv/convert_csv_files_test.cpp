#include "import/csv/convert_csv_files.h"

#include <gtest/gtest.h>

#include "import/csv/csv_fixture.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::ReadBytes;
using test::Shown;
using test::TableRecords;
using test::WriteBytes;
using Column = std::vector<std::string>;

class ConvertCSVFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::MakeCsvAppFolder(app_folder_);
    std::filesystem::create_directory(lists_);
  }

  void Run() { import::ConvertCSVFiles(app_folder_, lists_, module_, host_); }

  // A workbook the run saved in the application folder.
  spreadsheet::Workbook& Saved(const char* name) {
    return reader_.Workbooks().Add(app_folder_ / name);
  }

  test::TempDir dir_;
  std::filesystem::path app_folder_ = dir_ / "app";
  std::filesystem::path lists_ = dir_ / "lists";
  test::ScriptedHost host_;
  import::PriceModule module_;
  spreadsheet::Application reader_;
};

TEST_F(ConvertCSVFilesTest, EveryCsvFileBecomesASheetOfPriceXls) {
  WriteBytes(lists_ / "round.csv", TableRecords("0.30", {"D", "E"}, 1));
  WriteBytes(lists_ / "notes.txt", "not a price list");
  WriteBytes(lists_ / "Pear.list.CSV", TableRecords("0.50", {"F"}, 100));
  Run();
  EXPECT_TRUE(host_.messages.empty()) << host_.messages[0].text;
  spreadsheet::Workbook& book = Saved("Price.xls");
  ASSERT_EQ(book.Sheets().Count(), 2);
  EXPECT_EQ(book.Sheets().Item(1).Name(), "Pear");  // up to the first full stop
  spreadsheet::Sheet& round = book.Sheets().Item(2);
  EXPECT_EQ(round.Name(), "round");
  EXPECT_EQ(Shown(round, 1, 1), "Tables:");
  EXPECT_EQ(Shown(round, 8, 12), "22");
  EXPECT_EQ(Shown(round, 11, 1), "End Price");
  EXPECT_EQ(Shown(book.Sheets().Item("Pear"), 7, 2), "100");
  EXPECT_FALSE(module_.csv.block_pending);
  EXPECT_FALSE(std::filesystem::exists(app_folder_ / "eee.xls"));
}

TEST_F(ConvertCSVFilesTest, SampleColoursMissingFromATableFollowAsBareRows) {
  std::filesystem::create_directory(app_folder_ / "Sample");
  // Names compare with their letter case; an empty line is no colour.
  WriteBytes(app_folder_ / "Sample" / "Sample.xls", "D\r\ne\r\n\r\nE\r\nG\r\n");
  WriteBytes(lists_ / "r.csv", TableRecords("0.30", {"E"}, 1));
  Run();
  spreadsheet::Sheet& sheet = Saved("Price.xls").Sheets().Item(1);
  EXPECT_EQ(test::ColumnA(sheet, 7, 11), (Column{"E", "D", "e", "G", ""}));
  EXPECT_EQ(Shown(sheet, 7, 2) + "|" + Shown(sheet, 8, 2), "1|");
}

TEST_F(ConvertCSVFilesTest, ALongSampleFileWrapsRoundItsSlots) {
  std::filesystem::create_directory(app_folder_ / "Sample");
  std::string samples;
  for (int i = 1; i <= 30; ++i) samples += "S" + std::to_string(i) + "\r\n";
  WriteBytes(app_folder_ / "Sample" / "Sample.xls", samples);
  std::filesystem::remove(app_folder_ / "System" / "CSVTemplate.xls");
  Run();
  EXPECT_EQ(host_.MessageTexts(), Column{"Standard CSV file not exist."});
  const auto& s = module_.csv.sample_colors;
  EXPECT_EQ(s[0] + " " + s[2] + " " + s[3] + " " + s[26], "S28 S30 S4 S27");
  EXPECT_FALSE(module_.application);  // no spreadsheet started
}

TEST_F(ConvertCSVFilesTest, AFolderWithoutCsvFilesIsTold) {
  WriteBytes(lists_ / "rnddat.dbf", "x");
  Run();
  EXPECT_EQ(host_.MessageTexts(), Column{"Sorry,CSV Files not found..."});
  EXPECT_FALSE(std::filesystem::exists(app_folder_ / "Price.xls"));
}

TEST_F(ConvertCSVFilesTest, AStoppedRunKeepsItsWorkAsEeeAndPriceXlsAsItWas) {
  WriteBytes(app_folder_ / "Price.xls", "the old price workbook");
  WriteBytes(app_folder_ / "eee.xls", "an older stopped run");
  WriteBytes(lists_ / "a.csv", TableRecords("0.30", {"D"}, 1));
  // b's first table is written when its second starts; the unknown colour
  // Q then stops the run inside the second.
  WriteBytes(lists_ / "b.csv", TableRecords("0.30", {"E"}, 1) +
                                   TableRecords("0.40", {"F"}, 1) +
                                   "R,IF,Q,0.40,0.99,1,x\r\n");
  WriteBytes(lists_ / "c.csv", TableRecords("0.30", {"F"}, 1));
  host_.answers = {false};
  Run();
  EXPECT_TRUE(host_.messages.empty());
  EXPECT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(ReadBytes(app_folder_ / "Price.xls"), "the old price workbook");
  spreadsheet::Workbook& book = Saved("eee.xls");
  ASSERT_EQ(book.Sheets().Count(), 3);
  EXPECT_EQ(Shown(book.Sheets().Item("a"), 10, 1), "End Price");
  spreadsheet::Sheet& b = book.Sheets().Item("b");
  // The template's "Tables:" 0, not yet rewritten, and no second table.
  EXPECT_EQ(Shown(b, 1, 1) + " " + Shown(b, 1, 2), "Tables: 0");
  EXPECT_EQ(test::ColumnA(b, 7, 10), (Column{"E", "", "", ""}));
  EXPECT_TRUE(book.Sheets().Item("c").Cells(3, 1).IsEmpty());
  EXPECT_EQ(module_.application->Workbooks().Count(), 0);
}

TEST_F(ConvertCSVFilesTest, AMissingDictionaryStopsTheRunIntoEee) {
  std::filesystem::remove(app_folder_ / "System" / "Color.txt");
  WriteBytes(lists_ / "a.csv", TableRecords("0.30", {"D"}, 1));
  Run();
  EXPECT_EQ(host_.MessageTexts(), Column{"Standard Color file not exist"});
  EXPECT_TRUE(std::filesystem::exists(app_folder_ / "eee.xls"));
  EXPECT_FALSE(std::filesystem::exists(app_folder_ / "Price.xls"));
}

TEST_F(ConvertCSVFilesTest, FaultyInputsEndTheRunNamingFileAndRecord) {
  std::string colors;  // A to Z, one record each, then a 27th colour
  for (char c = 'A'; c <= 'Z'; ++c) {
    colors += std::string("R,IF,") + c + ",0.3,1,1,x\r\n";
  }
  struct Case {
    std::string file, text, named;
  } cases[] = {
      {"short.csv", "R,IF,D,0.3,1,2", "short.csv: its 6 items"},
      {"empty.csv", "", "empty.csv: the file holds no record"},
      {"a.old.csv", TableRecords("0.3", {"D"}, 1), "a.old.csv: its table name"},
      {"bad[1].csv", TableRecords("0.3", {"D"}, 1), "bad[1].csv: the table"},
      {"wide.csv", TableRecords("0.5", Column(27, "D"), 1),
       "wide.csv, record 287: "},
      {"wrap.csv", colors + "R,IF,AA,0.3,1,1,x\r\n", "wrap.csv, record 27: "},
      {"Sample/Sample.xls", "D\r\n" + std::string(32768, 'x'),
       "Sample/Sample.xls, item 2: a cell holds at most 32767 characters\r\n"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove_all(lists_);
    std::filesystem::remove_all(app_folder_ / "Sample");
    std::filesystem::create_directories(lists_);
    std::filesystem::create_directories(app_folder_ / "Sample");
    WriteBytes(app_folder_ / "Price.xls", "the old price workbook");
    WriteBytes(lists_ / "a.csv", TableRecords("0.30", {"D"}, 1));
    bool sample = c.file.starts_with("Sample/");
    WriteBytes((sample ? app_folder_ : lists_) / c.file, c.text);
    test::ScriptedHost host;
    host.answers = std::deque<bool>(30, true);
    import::ConvertCSVFiles(app_folder_, lists_, module_, host);
    ASSERT_EQ(host.messages.size(), 1u) << c.file;
    EXPECT_TRUE(host.messages[0].text.starts_with(c.named))
        << host.messages[0].text;
    EXPECT_TRUE(host.messages[0].text.ends_with("Price.xls was not written."));
    EXPECT_EQ(host.messages[0].icon, MessageIcon::kCritical);
    EXPECT_EQ(ReadBytes(app_folder_ / "Price.xls"), "the old price workbook");
  }
}

TEST_F(ConvertCSVFilesTest, AStopEndsTheRunAtTheNextRecordWithNothingSaved) {
  WriteBytes(app_folder_ / "Price.xls", "the old price workbook");
  WriteBytes(app_folder_ / "Price.xls.saving", "left by a killed save");
  WriteBytes(lists_ / "a.csv", TableRecords("0.30", {"D"}, 1));
  WriteBytes(lists_ / "b.csv", TableRecords("0.30", {"D"}, 1));
  for (int records : {0, 3, 11}) {  // before a file, inside one, before b.csv
    host_ = test::ScriptedHost();
    host_.stop_when = [&](const test::ScriptedHost& host) {
      return host.progress_value >= records;
    };
    Run();
    EXPECT_EQ(host_.MessageTexts(),
              Column{"The import was stopped. Price.xls was not written."});
    EXPECT_EQ(host_.progress_value, records);
    EXPECT_EQ(ReadBytes(app_folder_ / "Price.xls"), "the old price workbook");
    EXPECT_FALSE(std::filesystem::exists(app_folder_ / "eee.xls"));
    EXPECT_FALSE(std::filesystem::exists(app_folder_ / "Price.xls.saving"));
  }
}

TEST_F(ConvertCSVFilesTest, AFailingSaveKeepsTheWorkbookUnderARecoveryName) {
  std::filesystem::create_directories(app_folder_ / "Price.xls" / "blocker");
  WriteBytes(lists_ / "a.csv", TableRecords("0.30", {"D"}, 1));
  Run();
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_TRUE(
      host_.messages[0].text.starts_with("Price.xls could not be saved"));
  bool kept = false;
  for (const auto& entry : std::filesystem::directory_iterator(app_folder_)) {
    kept |= entry.path().filename().string().starts_with("Price-recovered-");
  }
  EXPECT_TRUE(kept);
}

}  // namespace
}  // namespace tarnwick
