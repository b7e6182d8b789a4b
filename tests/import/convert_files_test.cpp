// A whole CSV or DBF import: the files it finds, the Price.xls it saves,
// and what it leaves when it stops or fails.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "import/csv/convert_csv_files.h"
#include "import/dbf/convert_dbf_files.h"
#include "import/import_fixture.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::TableRecords;
using test::WriteBytes;
using Texts = std::vector<std::string>;

const char kOldPrice[] = "the old price workbook";
const std::string kNotWritten = "Price.xls was not written.";

// An application folder with the CSV dictionaries and template, a DBF
// template of five sheets each holding a mark in a price cell, and a folder
// for the price lists. Table-driven tests call SetUp again for every case.
class ConvertFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::remove_all(dir_.path());
    test::MakeCsvAppFolder(app());
    std::filesystem::create_directories(lists());
    spreadsheet::Application engine;
    spreadsheet::Workbook& book = engine.Workbooks().Add();
    book.Sheets().Item(1).SetName("Round");
    book.Sheets().Item(1).SetCells(7, 2, "template");
    for (const char* name : {"Marquise", "Pear", "Emerald", "Princess"})
      book.AddWorksheet(name).SetCells(7, 2, "template");
    book.SaveAs(app() / "System" / "DBFTemplate.xls");
    book.Close();
    host_ = test::ScriptedHost();
    module_ = import::PriceModule();
  }

  std::filesystem::path app() const { return dir_ / "app"; }
  std::filesystem::path lists() const { return dir_ / "lists"; }

  void Csv() { import::ConvertCSVFiles(app(), lists(), module_, host_); }
  void Dbf() { import::ConvertDBFFiles(app(), lists(), module_, host_); }
  void WriteTable(const std::string& name, const Texts& records) {
    WriteBytes(lists() / name, test::DbfBytes(test::PriceFields(2), records));
  }
  // Every sheet of the saved workbook `name`, as " Name:" and the given
  // cells as ShownCells shows them.
  std::string SavedSheets(const char* name, const std::string& cells) {
    spreadsheet::Workbook& book = reader_.Workbooks().Add(app() / name);
    std::string sheets;
    for (int i = 1; i <= book.Sheets().Count(); ++i) {
      spreadsheet::Sheet& sheet = book.Sheets().Item(i);
      sheets += " " + sheet.Name() + ":" + test::ShownCells(sheet, cells);
    }
    return sheets;
  }

  // The run told one thing, as "text|detail", and left Price.xls as it was.
  // A '*' in `told` stands for any text.
  void ExpectToldAndPriceXlsKept(const std::string& told, MessageIcon icon) {
    ASSERT_THAT(host_.MessageTexts(), ::testing::SizeIs(1));
    const test::ScriptedHost::Message& m = host_.messages[0];
    std::string got = m.text + "|" + m.detail;
    const std::size_t any = told.find('*');
    if (any != std::string::npos && got.size() >= told.size() - 1)
      got.replace(any, got.size() - told.size() + 1, "*");
    EXPECT_EQ(got, told);
    EXPECT_EQ(m.icon, icon);
    EXPECT_EQ(test::ReadBytes(app() / "Price.xls"), kOldPrice);
  }

  test::TempDir dir_;
  test::ScriptedHost host_;
  import::PriceModule module_;
  spreadsheet::Application reader_;
};

TEST_F(ConvertFilesTest, EveryCsvFileBecomesASheetOfPriceXls) {
  WriteBytes(lists() / "round.csv", TableRecords("0.30", {"D", "E"}, 1));
  WriteBytes(lists() / "notes.txt", "not a price list");
  WriteBytes(lists() / "Pear.list.CSV", TableRecords("0.50", {"F"}, 100));
  Csv();
  EXPECT_EQ(host_.MessageTexts(), Texts{});
  // Named up to the first full stop.
  EXPECT_EQ(SavedSheets("Price.xls", "1/1= 7/2= 8/12="),
            " Pear:1/1=Tables: 7/2=100 8/12= round:1/1=Tables: 7/2=1 8/12=22");
  EXPECT_FALSE(module_.csv.block_pending);
  EXPECT_FALSE(std::filesystem::exists(app() / "eee.xls"));
}

TEST_F(ConvertFilesTest, SampleColoursFollowAsBareRowsAndWrapRoundTheSlots) {
  // Names compare with their letter case; an empty line is no colour.
  WriteBytes(app() / "Sample" / "Sample.xls", "D\r\ne\r\n\r\nE\r\nG\r\n");
  WriteBytes(lists() / "r.csv", TableRecords("0.30", {"E"}, 1));
  Csv();
  EXPECT_EQ(SavedSheets("Price.xls", "7/1= 7/2= 8/1= 8/2= 9/1= 10/1= 11/1="),
            " r:7/1=E 7/2=1 8/1=D 8/2= 9/1=e 10/1=G 11/1=");

  SetUp();
  std::string samples;
  for (int i = 1; i <= 30; ++i) samples += "S" + std::to_string(i) + "\r\n";
  WriteBytes(app() / "Sample" / "Sample.xls", samples);
  std::filesystem::remove(app() / "System" / "CSVTemplate.xls");
  Csv();
  EXPECT_EQ(host_.MessageTexts(), Texts{"Standard CSV file not exist."});
  const auto& s = module_.csv.sample_colors;
  EXPECT_EQ(s[0] + " " + s[2] + " " + s[3] + " " + s[26], "S28 S30 S4 S27");
  EXPECT_FALSE(module_.application);  // no spreadsheet started
}

// A refused grade keeps the work as eee.xls (a missing dictionary too: see
// the next test).
TEST_F(ConvertFilesTest, AStoppedCsvRunKeepsItsWorkAsEeeAndPriceXlsAsItWas) {
  WriteBytes(app() / "Price.xls", kOldPrice);
  WriteBytes(app() / "eee.xls", "an older stopped run");
  WriteBytes(lists() / "a.csv", TableRecords("0.30", {"D"}, 1));
  // b's first table is written when its second starts; the unknown colour
  // Q then stops the run inside the second.
  WriteBytes(lists() / "b.csv", TableRecords("0.30", {"E"}, 1) +
                                    TableRecords("0.40", {"F"}, 1) +
                                    "R,IF,Q,0.40,0.99,1,x\r\n");
  WriteBytes(lists() / "c.csv", TableRecords("0.30", {"F"}, 1));
  host_.answers = {false};
  Csv();
  EXPECT_EQ(host_.MessageTexts(), Texts{});
  EXPECT_EQ(host_.questions.size(), 1u);
  EXPECT_EQ(test::ReadBytes(app() / "Price.xls"), kOldPrice);
  // a is whole; b keeps the template's table count and has no second table.
  EXPECT_EQ(SavedSheets("eee.xls", "1/2= 3/1= 7/1= 9/1="),
            " a:1/2=1 3/1=Format: 7/1=D 9/1= b:1/2=0 3/1=Format: 7/1=E 9/1= "
            "c:1/2=0 3/1= 7/1= 9/1=");
  EXPECT_EQ(module_.application->Workbooks().Count(), 0);
}

TEST_F(ConvertFilesTest, DbfTablesFoundInAnyLetterCaseFillOnlyTheirSheets) {
  WriteTable("mqdat.dbf", {"1|2"});
  WriteTable("PearDat.Dbf", {"3|"});
  WriteTable("PRNDAT.DBF", {"|-4.5"});
  WriteBytes(lists() / "notes.csv", "x");
  Dbf();
  EXPECT_EQ(host_.MessageTexts(), Texts{});
  EXPECT_EQ(SavedSheets("Price.xls", "7/2= 17/3= 27/3="),
            " Round:7/2=template 17/3= 27/3= Marquise:7/2=100 17/3=200 "
            "27/3=200 Pear:7/2=300 17/3= 27/3= Emerald:7/2=template 17/3= "
            "27/3= Princess:7/2=template 17/3=-450 27/3=-450");
  EXPECT_EQ(host_.captions_seen,
            (Texts{"Converting(mqdat)", "Converting(peardat)",
                   "Converting(prndat)"}));
  EXPECT_EQ(module_.application->Workbooks().Count(), 0);
}

// A CSV failure names the file and record; only a missing dictionary keeps
// the work as eee.xls.
TEST_F(ConvertFilesTest, AnyFailureBeforeTheSaveEndsTheRunAndKeepsPriceXls) {
  const std::string one = TableRecords("0.3", {"D"}, 1);
  std::string colors;  // A to Z, one record each, then a 27th colour
  for (char c = 'A'; c <= 'Z'; ++c)
    colors += std::string("R,IF,") + c + ",0.3,1,1,x\r\n";
  colors += "R,IF,AA,0.3,1,1,x\r\n";
  const std::string mqdat = test::DbfBytes({{"IF", 'C', 6, 0}}, {"1", "1.2.3"});
  // Whether DBF, a file of the lists (or under the application folder) with
  // its new bytes (none: removed), and the message, "|", its detail; for a
  // CSV file whose records fail, how the message starts.
  using Case =
      std::tuple<bool, std::string, std::optional<std::string>, std::string>;
  const Case cases[] = {
      {false, "short.csv", "R,IF,D,0.3,1,2", "short.csv: its 6 items"},
      {false, "empty.csv", "", "empty.csv: the file holds no record"},
      {false, "a.old.csv", one, "a.old.csv: its table name"},
      {false, "bad[1].csv", one, "bad[1].csv: the table"},
      {false, "wide.csv", TableRecords("0.5", Texts(27, "D"), 1),
       "wide.csv, record 287: "},
      {false, "wrap.csv", colors, "wrap.csv, record 27: "},
      {false, "Sample/Sample.xls", "D\r\n" + std::string(32768, 'x'),
       "Sample/Sample.xls, item 2: a cell holds at most 32767 characters"},
      {false, "a.csv", {}, "Sorry,CSV Files not found...|"},
      {false, "System/Color.txt", {}, "Standard Color file not exist|"},
      {true, "System/DBFTemplate.xls", {}, "Standard DBF file not exist.|"},
      {true, "prndat.dbf", {}, "Sorry,DBF Files not found...|"},
      {true, "mqdat.dbf", mqdat,
       "The table mqdat could not be converted. " + kNotWritten +
           "|mqdat.dbf, record 2, field IF: holds the text \"1.2.3\", not a "
           "price"},
  };
  for (const auto& [dbf, file, bytes, told] : cases) {
    SCOPED_TRACE(file);
    SetUp();
    WriteBytes(app() / "Price.xls", kOldPrice);
    WriteBytes(lists() / "a.csv", one);
    WriteTable("prndat.dbf", {"1|2"});      // the list's last, never reached
    WriteTable("rnddat.dbf.bak", {"1|2"});  // no table
    const std::filesystem::path path =
        (file.find('/') == std::string::npos ? lists() : app()) / file;
    std::filesystem::remove(path);
    if (bytes) WriteBytes(path, *bytes);
    host_.answers = std::deque<bool>(30, true);
    dbf ? Dbf() : Csv();
    const bool named = !dbf && !told.ends_with('|');
    ExpectToldAndPriceXlsKept(named ? told + "*\r\n" + kNotWritten + "|" : told,
                              told.ends_with('|') ? MessageIcon::kInformation
                                                  : MessageIcon::kCritical);
    EXPECT_EQ(std::filesystem::exists(app() / "eee.xls"),
              told.starts_with("Standard Color"));
    if (dbf && module_.application) {
      EXPECT_EQ(module_.application->Workbooks().Count(), 0);
    }
  }
}

// Stops before a file, inside one, and between two; the leftovers of killed
// saves go too.
TEST_F(ConvertFilesTest, AStopEndsTheImportAtTheNextRecordWithNothingSaved) {
  WriteBytes(app() / "Price.xls", kOldPrice);
  WriteBytes(lists() / "a.csv", TableRecords("0.30", {"D"}, 1));
  WriteBytes(lists() / "b.csv", TableRecords("0.30", {"D"}, 1));
  WriteTable("rnddat.dbf", {"1|2", "3|4"});
  WriteTable("mqdat.dbf", {"1|2"});
  for (auto [dbf, records] :
       {std::pair{false, 0}, {false, 3}, {false, 11}, {true, 1}, {true, 2}}) {
    WriteBytes(app() / "Price.xls.saving", "left by a killed save");
    WriteBytes(app() / ".eee.xls.0123abcd0123abcd.saving", "left too");
    host_ = test::ScriptedHost();
    host_.stop_when = [&](const test::ScriptedHost& host) {
      return host.progress_value >= records;
    };
    dbf ? Dbf() : Csv();
    ExpectToldAndPriceXlsKept("The import was stopped. " + kNotWritten + "|",
                              MessageIcon::kInformation);
    EXPECT_EQ(host_.progress_value, records);
    EXPECT_EQ(test::FileNames(app()),
              (Texts{".tarnwick.lock", "Price.xls", "Sample", "System"}));
  }
}

TEST_F(ConvertFilesTest, AFailedSaveKeepsTheWorkbookUnderARecoveryName) {
  WriteBytes(lists() / "a.csv", TableRecords("0.30", {"D"}, 1));
  WriteTable("rnddat.dbf", {"1|2"});
  std::filesystem::create_directories(app() / "Price.xls" / "busy");
  Csv();
  Dbf();
  const auto kept = ::testing::StartsWith(
      "Price.xls could not be saved.\r\nThe workbook was kept as " +
      (app() / "Price-recovered-").string());
  EXPECT_THAT(host_.MessageTexts(), ::testing::ElementsAre(kept, kept));
}

}  // namespace
}  // namespace tarnwick
