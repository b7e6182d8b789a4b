#include "import/dbf/convert_dbf_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "import/dbf/dbf_fixture.h"
#include "import/run_import.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using spreadsheet::CellValue;
using test::ReadBytes;
using test::ScriptedHost;
using test::TempDir;
using test::WriteBytes;

const char* const kSheetNames[] = {"Round", "Marquise", "Pear", "Emerald",
                                   "Princess"};

// An application folder with a DBF template of five sheets, each holding a
// mark in a price cell, and a folder for the tables.
class DbfImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(app() / "System");
    std::filesystem::create_directories(tables());
    spreadsheet::Application engine;
    spreadsheet::Workbook& book = engine.Workbooks().Add();
    book.Sheets().Item(1).SetName(kSheetNames[0]);
    for (int i = 1; i < 5; ++i) book.AddWorksheet(kSheetNames[i]);
    for (int i = 1; i <= 5; ++i) {
      book.Sheets().Item(i).SetCells(1, 1, "Tables:");
      book.Sheets().Item(i).SetCells(7, 2, "template");
    }
    book.SaveAs(app() / "System" / "DBFTemplate.xls");
    book.Close();
  }

  std::filesystem::path app() const { return dir_ / "app"; }
  std::filesystem::path tables() const { return dir_ / "tables"; }

  void WriteTable(const std::string& name,
                  std::vector<test::DbfRecord> records) {
    test::WriteDbf(tables() / name, test::PriceFields(2), records);
  }

  // Runs the DBF button: the panel protocol around the import.
  void Import() {
    import::RunImport(1, host_,
              [&] { import::ConvertDBFFiles(app(), tables(), module_, host_);
  });
}

TempDir dir_;
ScriptedHost host_;
import::PriceModule module_;
};  // namespace

TEST_F(DbfImportTest, TablesFoundInAnyLetterCaseFillOnlyTheirOwnSheets) {
  WriteTable("mqdat.dbf", {{{"1", "2"}}});
  WriteTable("PearDat.Dbf", {{{"3", ""}}});
  WriteTable("PRNDAT.DBF", {{{"", "-4.5"}}});
  WriteBytes(tables() / "notes.csv", "x");
  Import();
  EXPECT_TRUE(host_.messages.empty()) << host_.messages[0].text;
  spreadsheet::Application reader;
  spreadsheet::Workbook& saved = reader.Workbooks().Add(app() / "Price.xls");
  auto cell = [&](int sheet, int row, int column) {
    return saved.Sheets().Item(sheet).Cells(row, column);
  };
  EXPECT_EQ(cell(1, 7, 2), CellValue::Text("template"));
  EXPECT_EQ(cell(2, 7, 2), CellValue::Number(100));
  EXPECT_EQ(cell(2, 27, 3), CellValue::Number(200));
  EXPECT_EQ(cell(3, 7, 2), CellValue::Number(300));
  EXPECT_EQ(cell(4, 7, 2), CellValue::Text("template"));
  EXPECT_EQ(cell(5, 7, 2), CellValue::Text("template"));
  EXPECT_EQ(cell(5, 17, 3), CellValue::Number(-450));
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(saved.Sheets().Item(i).Name(), kSheetNames[i - 1]);
  }
  EXPECT_EQ(host_.captions_seen,
            (std::vector<std::string>{"Please wait...", "Converting(mqdat)",
                                      "Converting(peardat)",
                                      "Converting(prndat)", "Please wait..."}));
  EXPECT_EQ(module_.application->Workbooks().Count(), 0);
  EXPECT_FALSE(std::filesystem::exists(tables() / "Price.xls"));
}

struct StopCase {
  const char* name;
  const char* template_bytes;  // replaces the template; "" removes it
  const char* file;
  std::string bytes;
  const char* text;
  const char* detail;  // APP/ stands for the application folder
};

TEST_F(DbfImportTest, AnyFailureBeforeTheSaveStopsAndKeepsTheOldPriceXls) {
  const std::string list =
      "IF,VVS1,VVS2,VS1,VS2,SI1,SI2\r\n1250,1100,980,870,760,650,540\r\n";
  std::string good =
      test::DbfBytes(test::PriceFields(2), {{{"1", "2"}}, {{"3", "4"}}});
  const std::string not_written = "Price.xls was not written.";
  const StopCase cases[] = {
      {"no template", "", "rnddat.dbf", good, "Standard DBF file not exist.",
       ""},
      {"unreadable template", "not a workbook", "rnddat.dbf", good,
       "The DBF template could not be read. Price.xls was not written.",
       "APP/System/DBFTemplate.xls: this is a text file (perhaps CSV), not an "
       "Excel 97-2003 workbook"},
      {"no table", nullptr, "rnddat.dbf.bak", good,
       "Sorry,DBF Files not found...", ""},
      {"no dBASE table", nullptr, "rnddat.dbf", list,
       "The table Rnddat could not be converted. Price.xls was not written.",
       "rnddat.dbf: not a dBASE or FoxPro table"},
      {"cut short", nullptr, "EMDAT.DBF", good.substr(0, good.size() - 10),
       "The table emdat could not be converted. Price.xls was not written.",
       "EMDAT.DBF: cut short: the header counts 2 records that the file does "
       "not hold"},
      {"no number", nullptr, "mqdat.dbf",
       test::DbfBytes({{"IF", 'C', 6, 0}}, {{{"1"}}, {{"1.2.3"}}}),
       "The table mqdat could not be converted. Price.xls was not written.",
       "mqdat.dbf, record 2, field IF: holds the text \"1.2.3\", not a price"},
  };
  for (const StopCase& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    if (c.template_bytes && *c.template_bytes) {
      WriteBytes(app() / "System" / "DBFTemplate.xls", c.template_bytes);
    } else if (c.template_bytes) {
      std::filesystem::remove(app() / "System" / "DBFTemplate.xls");
    }
    std::filesystem::remove_all(tables());
    std::filesystem::create_directories(tables());
    if (c.file != std::string("rnddat.dbf.bak")) {
      WriteTable("prndat.dbf", {{{"1", "2"}}});  // never reached
    }
    WriteBytes(tables() / c.file, c.bytes);
    WriteBytes(app() / "Price.xls", "the old workbook");
    host_ = ScriptedHost();
    module_ = import::PriceModule();
    Import();
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].text, c.text);
    std::string detail = c.detail;
    if (detail.starts_with("APP/")) detail.replace(0, 3, app().string());
    EXPECT_EQ(host_.messages[0].detail, detail);
    EXPECT_EQ(host_.messages[0].icon,
              host_.messages[0].text.ends_with(not_written)
                  ? MessageIcon::kCritical
                  : MessageIcon::kInformation);
    EXPECT_EQ(ReadBytes(app() / "Price.xls"), "the old workbook");
    if (module_.application) {
      EXPECT_EQ(module_.application->Workbooks().Count(), 0);
    }
    EXPECT_FALSE(host_.progress_visible);
    EXPECT_FALSE(host_.busy);
    EXPECT_EQ(host_.progress_caption, "Please wait...");
  }
}

TEST_F(DbfImportTest, AStopEndsTheImportAtTheNextRecordWithNothingSaved) {
  WriteTable("rnddat.dbf", {{{"1", "2"}}, {{"3", "4"}}});
  WriteTable("mqdat.dbf", {{{"1", "2"}}});
  WriteBytes(app() / "Price.xls", "the old workbook");
  WriteBytes(app() / ".eee.xls.0123abcd0123abcd.saving",
             "left by a killed save");
  const std::vector<std::string> inside = {"0%", "50%", "0%"};
  const std::vector<std::string> before_mqdat = {"0%", "50%", "100%", "0%"};
  for (int records : {1, 2}) {
    host_ = ScriptedHost();
    host_.stop_when = [&](const ScriptedHost& host) {
      return host.progress_value >= records;
    };
    Import();
    EXPECT_EQ(host_.MessageTexts(),
              std::vector<std::string>{
                  "The import was stopped. Price.xls was not written."});
    EXPECT_EQ(host_.percents_seen, records == 1 ? inside : before_mqdat);
    EXPECT_EQ(ReadBytes(app() / "Price.xls"), "the old workbook");
    EXPECT_FALSE(
        std::filesystem::exists(app() / ".eee.xls.0123abcd0123abcd.saving"));
  }
}

TEST_F(DbfImportTest, AFailedSaveKeepsTheWorkbookUnderARecoveryName) {
  WriteTable("rnddat.dbf", {{{"1", "2"}}});
  std::filesystem::create_directories(app() / "Price.xls" / "busy");
  Import();
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_TRUE(
      host_.messages[0].text.starts_with("Price.xls could not be saved."))
      << host_.messages[0].text;
  bool kept = false;
  for (const auto& entry : std::filesystem::directory_iterator(app())) {
    kept |= entry.path().filename().string().starts_with("Price-recovered-");
  }
  EXPECT_TRUE(kept);
}

}  // namespace tarnwick
}  // namespace tarnwick
