// A whole CSV or DBF import: the files it finds, the Price.xls it saves,
// and what it leaves when it stops or fails.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/csv/convert_csv_files.h"
#include "import/csv/csv_fixture.h"
#include "import/dbf/convert_dbf_files.h"
#include "import/dbf/dbf_fixture.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using spreadsheet::CellValue;
using test::ReadBytes;
using test::Shown;
using test::ShownCells;
using test::TableRecords;
using test::WriteBytes;
using ::testing::StartsWith;
using Texts = std::vector<std::string>;

const char* const kDbfSheets[] = {"Round", "Marquise", "Pear", "Emerald",
                                  "Princess"};
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
    book.Sheets().Item(1).SetName(kDbfSheets[0]);
    for (int i = 1; i < 5; ++i) book.AddWorksheet(kDbfSheets[i]);
    for (int i = 1; i <= 5; ++i) {
      book.Sheets().Item(i).SetCells(1, 1, "Tables:");
      book.Sheets().Item(i).SetCells(7, 2, "template");
    }
    book.SaveAs(app() / "System" / "DBFTemplate.xls");
    book.Close();
    host_ = test::ScriptedHost();
    module_ = import::PriceModule();
  }

  std::filesystem::path app() const { return dir_ / "app"; }
  std::filesystem::path lists() const { return dir_ / "lists"; }

  void Csv() { import::ConvertCSVFiles(app(), lists(), module_, host_); }
  void Dbf() { import::ConvertDBFFiles(app(), lists(), module_, host_); }
  void WriteTable(const std::string& name, std::vector<test::DbfRecord> rows) {
    test::WriteDbf(lists() / name, test::PriceFields(2), rows);
  }
  spreadsheet::Workbook& Saved(const char* name) {
    return reader_.Workbooks().Add(app() / name);
  }

  // The run told one thing, as "text|detail", and left Price.xls as it was.
  // `told` without "|" is how the text starts.
  void ExpectToldAndPriceXlsKept(const std::string& told, MessageIcon icon) {
    ASSERT_EQ(host_.messages.size(), 1u)
        << ::testing::PrintToString(host_.MessageTexts());
    const test::ScriptedHost::Message& m = host_.messages[0];
    if (told.find('|') == std::string::npos) {
      EXPECT_THAT(m.text + "|" + m.detail, StartsWith(told));
    } else {
      EXPECT_EQ(m.text + "|" + m.detail, told);
    }
    EXPECT_EQ(m.icon, icon);
    EXPECT_EQ(ReadBytes(app() / "Price.xls"), kOldPrice);
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
  spreadsheet::Workbook& book = Saved("Price.xls");
  ASSERT_EQ(book.Sheets().Count(), 2);
  spreadsheet::Sheet &pear = book.Sheets().Item(1),
                     &round = book.Sheets().Item(2);
  // Named up to the first full stop.
  EXPECT_EQ(pear.Name() + " " + round.Name(), "Pear round");
  EXPECT_EQ(ShownCells(pear, "7/2=100") + " " + ShownCells(round, "8/12=22"),
            "7/2=100 8/12=22");
  EXPECT_EQ(Shown(round, 1, 1) + "|" + Shown(round, 11, 1),
            "Tables:|End Price");
  EXPECT_FALSE(module_.csv.block_pending);
  EXPECT_FALSE(std::filesystem::exists(app() / "eee.xls"));
}

TEST_F(ConvertFilesTest, SampleColoursFollowAsBareRowsAndWrapRoundTheSlots) {
  std::filesystem::create_directory(app() / "Sample");
  // Names compare with their letter case; an empty line is no colour.
  WriteBytes(app() / "Sample" / "Sample.xls", "D\r\ne\r\n\r\nE\r\nG\r\n");
  WriteBytes(lists() / "r.csv", TableRecords("0.30", {"E"}, 1));
  Csv();
  spreadsheet::Sheet& sheet = Saved("Price.xls").Sheets().Item(1);
  EXPECT_EQ(test::ColumnA(sheet, 7, 11), "E|D|e|G|");
  EXPECT_EQ(ShownCells(sheet, "7/2=1 8/2="), "7/2=1 8/2=");

  SetUp();
  std::filesystem::create_directory(app() / "Sample");
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

// A refused grade or a missing dictionary keeps the work as eee.xls.
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
  EXPECT_EQ(ReadBytes(app() / "Price.xls"), kOldPrice);
  spreadsheet::Workbook& book = Saved("eee.xls");
  ASSERT_EQ(book.Sheets().Count(), 3);
  EXPECT_EQ(Shown(book.Sheets().Item("a"), 10, 1), "End Price");
  spreadsheet::Sheet& b = book.Sheets().Item("b");
  // The template's "Tables:" 0, not yet rewritten, and no second table.
  EXPECT_EQ(Shown(b, 1, 1) + " " + Shown(b, 1, 2), "Tables: 0");
  EXPECT_EQ(test::ColumnA(b, 7, 10), "E|||");
  EXPECT_TRUE(book.Sheets().Item("c").Cells(3, 1).IsEmpty());
  EXPECT_EQ(module_.application->Workbooks().Count(), 0);

  SetUp();
  std::filesystem::remove(app() / "System" / "Color.txt");
  WriteBytes(lists() / "a.csv", TableRecords("0.30", {"D"}, 1));
  Csv();
  EXPECT_EQ(host_.MessageTexts(), Texts{"Standard Color file not exist"});
  EXPECT_TRUE(std::filesystem::exists(app() / "eee.xls"));
  EXPECT_FALSE(std::filesystem::exists(app() / "Price.xls"));
}

TEST_F(ConvertFilesTest, FaultyCsvInputsEndTheRunNamingFileAndRecord) {
  std::string colors;  // A to Z, one record each, then a 27th colour
  for (char c = 'A'; c <= 'Z'; ++c) {
    colors += std::string("R,IF,") + c + ",0.3,1,1,x\r\n";
  }
  const struct {
    std::string file, text, named;
  } cases[] = {
      {"short.csv", "R,IF,D,0.3,1,2", "short.csv: its 6 items"},
      {"empty.csv", "", "empty.csv: the file holds no record"},
      {"a.old.csv", TableRecords("0.3", {"D"}, 1), "a.old.csv: its table name"},
      {"bad[1].csv", TableRecords("0.3", {"D"}, 1), "bad[1].csv: the table"},
      {"wide.csv", TableRecords("0.5", Texts(27, "D"), 1),
       "wide.csv, record 287: "},
      {"wrap.csv", colors + "R,IF,AA,0.3,1,1,x\r\n", "wrap.csv, record 27: "},
      {"Sample/Sample.xls", "D\r\n" + std::string(32768, 'x'),
       "Sample/Sample.xls, item 2: a cell holds at most 32767 characters\r\n"},
      {"a.dbf", "", "Sorry,CSV Files not found..."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    SetUp();
    std::filesystem::create_directories(app() / "Sample");
    WriteBytes(app() / "Price.xls", kOldPrice);
    const bool csv = c.file != "a.dbf";
    if (csv) WriteBytes(lists() / "a.csv", TableRecords("0.30", {"D"}, 1));
    WriteBytes((c.file.starts_with("Sample/") ? app() : lists()) / c.file,
               c.text);
    host_.answers = std::deque<bool>(30, true);
    Csv();
    ExpectToldAndPriceXlsKept(
        c.named, csv ? MessageIcon::kCritical : MessageIcon::kInformation);
    EXPECT_EQ(host_.messages.at(0).detail, "");
    if (csv) {
      EXPECT_THAT(host_.messages.at(0).text,
                  ::testing::EndsWith("\r\n" + kNotWritten));
    }
  }
}

TEST_F(ConvertFilesTest, DbfTablesFoundInAnyLetterCaseFillOnlyTheirSheets) {
  WriteTable("mqdat.dbf", {{{"1", "2"}}});
  WriteTable("PearDat.Dbf", {{{"3", ""}}});
  WriteTable("PRNDAT.DBF", {{{"", "-4.5"}}});
  WriteBytes(lists() / "notes.csv", "x");
  Dbf();
  EXPECT_EQ(host_.MessageTexts(), Texts{});
  spreadsheet::Workbook& saved = Saved("Price.xls");
  const CellValue kTemplate = CellValue::Text("template");
  const struct {
    int sheet, row, column;
    CellValue value;
  } cells[] = {{1, 7, 2, kTemplate},
               {2, 7, 2, CellValue::Number(100)},
               {2, 27, 3, CellValue::Number(200)},
               {3, 7, 2, CellValue::Number(300)},
               {4, 7, 2, kTemplate},
               {5, 7, 2, kTemplate},
               {5, 17, 3, CellValue::Number(-450)}};
  for (const auto& c : cells) {
    EXPECT_EQ(saved.Sheets().Item(c.sheet).Cells(c.row, c.column), c.value);
  }
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(saved.Sheets().Item(i).Name(), kDbfSheets[i - 1]);
  }
  EXPECT_EQ(host_.captions_seen,
            (Texts{"Converting(mqdat)", "Converting(peardat)",
                   "Converting(prndat)"}));
  EXPECT_EQ(module_.application->Workbooks().Count(), 0);
  EXPECT_FALSE(std::filesystem::exists(lists() / "Price.xls"));
}

TEST_F(ConvertFilesTest, AnyDbfFailureBeforeTheSaveStopsAndKeepsPriceXls) {
  const std::string list =
      "IF,VVS1,VVS2,VS1,VS2,SI1,SI2\r\n1250,1100,980,870,760,650,540\r\n";
  std::string good =
      test::DbfBytes(test::PriceFields(2), {{{"1", "2"}}, {{"3", "4"}}});
  const std::string kFailed = " " + kNotWritten + "|";
  const struct {
    const char* template_bytes;  // null keeps it, "" removes it
    const char* file;
    std::string bytes;
    std::string told;  // the message, "|", its detail; APP/ is app()
  } cases[] = {
      {"", "rnddat.dbf", good, "Standard DBF file not exist.|"},
      {"not a workbook", "rnddat.dbf", good,
       "The DBF template could not be read." + kFailed +
           "APP/System/DBFTemplate.xls: this is a text file (perhaps CSV), "
           "not an Excel 97-2003 workbook"},
      {nullptr, "rnddat.dbf.bak", good, "Sorry,DBF Files not found...|"},
      {nullptr, "rnddat.dbf", list,
       "The table Rnddat could not be converted." + kFailed +
           "rnddat.dbf: not a dBASE or FoxPro table"},
      {nullptr, "EMDAT.DBF", good.substr(0, good.size() - 10),
       "The table emdat could not be converted." + kFailed +
           "EMDAT.DBF: cut short: the header counts 2 records that the file "
           "does not hold"},
      {nullptr, "mqdat.dbf",
       test::DbfBytes({{"IF", 'C', 6, 0}}, {{{"1"}}, {{"1.2.3"}}}),
       "The table mqdat could not be converted." + kFailed +
           "mqdat.dbf, record 2, field IF: holds the text \"1.2.3\", not a "
           "price"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.told);
    SetUp();
    std::filesystem::path template_file = app() / "System" / "DBFTemplate.xls";
    if (c.template_bytes) std::filesystem::remove(template_file);
    if (c.template_bytes && *c.template_bytes) {
      WriteBytes(template_file, c.template_bytes);
    }
    if (c.file != std::string("rnddat.dbf.bak")) {
      WriteTable("prndat.dbf", {{{"1", "2"}}});  // never reached
    }
    WriteBytes(lists() / c.file, c.bytes);
    WriteBytes(app() / "Price.xls", kOldPrice);
    Dbf();
    std::string told = c.told;
    if (told.find("|APP/") != std::string::npos) {
      told.replace(told.find("|APP/") + 1, 3, app().string());
    }
    ExpectToldAndPriceXlsKept(told, told.find(kFailed) != std::string::npos
                                        ? MessageIcon::kCritical
                                        : MessageIcon::kInformation);
    if (module_.application) {
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
  WriteTable("rnddat.dbf", {{{"1", "2"}}, {{"3", "4"}}});
  WriteTable("mqdat.dbf", {{{"1", "2"}}});
  const std::string leftovers[] = {"Price.xls.saving",
                                   ".eee.xls.0123abcd0123abcd.saving"};
  for (bool dbf : {false, true}) {
    for (int records : dbf ? std::vector{1, 2} : std::vector{0, 3, 11}) {
      for (const std::string& name : leftovers) {
        WriteBytes(app() / name, "left by a killed save");
      }
      host_ = test::ScriptedHost();
      host_.stop_when = [&](const test::ScriptedHost& host) {
        return host.progress_value >= records;
      };
      dbf ? Dbf() : Csv();
      ExpectToldAndPriceXlsKept("The import was stopped. " + kNotWritten + "|",
                                MessageIcon::kInformation);
      EXPECT_EQ(host_.progress_value, records);
      EXPECT_FALSE(std::filesystem::exists(app() / "eee.xls"));
      for (const std::string& name : leftovers) {
        EXPECT_FALSE(std::filesystem::exists(app() / name)) << name;
      }
    }
  }
}

TEST_F(ConvertFilesTest, AFailedSaveKeepsTheWorkbookUnderARecoveryName) {
  WriteBytes(lists() / "a.csv", TableRecords("0.30", {"D"}, 1));
  WriteTable("rnddat.dbf", {{{"1", "2"}}});
  std::filesystem::create_directories(app() / "Price.xls" / "busy");
  for (bool dbf : {false, true}) {
    host_ = test::ScriptedHost();
    dbf ? Dbf() : Csv();
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_THAT(host_.messages[0].text,
                StartsWith("Price.xls could not be saved."));
    int kept = 0;
    for (const std::string& name : test::FileNames(app())) {
      if (!name.starts_with("Price-recovered-")) continue;
      ++kept;
      std::filesystem::remove(app() / name);
    }
    EXPECT_EQ(kept, 1);
  }
}

}  // namespace
}  // namespace tarnwick
