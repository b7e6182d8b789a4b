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
using testing::ReadBytes;
using testing::ScriptedHost;
using testing::TempDir;
using testing::WriteBytes;

// A CSV price list under a table's name.
const char kPriceList[] =
    "IF,VVS1,VVS2,VS1,VS2,SI1,SI2\r\n1250,1100,980,870,760,650,540\r\n";

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
                  std::vector<testing::DbfRecord> records) {
    testing::WriteDbf(tables() / name, testing::PriceFields(2), records);
  }

  // Runs the DBF button: the panel protocol around the import.
  void Import() {
    RunImport(1, host_,
              [&] { ConvertDBFFiles(app(), tables(), module_, host_); });
  }

  // The cell of the saved Price.xls.
  CellValue Saved(int sheet, int row, int column) {
    if (!saved_) {
      saved_ = &reader_.Workbooks().Add(app() / "Price.xls");
    }
    return saved_->Sheets().Item(sheet).Cells(row, column);
  }

  TempDir dir_;
  ScriptedHost host_;
  PriceModule module_;
  spreadsheet::Application reader_;
  spreadsheet::Workbook* saved_ = nullptr;
};

TEST_F(DbfImportTest, TablesFoundInAnyLetterCaseFillOnlyTheirOwnSheets) {
  WriteTable("mqdat.dbf", {{{"1", "2"}}});
  WriteTable("PearDat.Dbf", {{{"3", ""}}});
  WriteTable("PRNDAT.DBF", {{{"", "-4.5"}}});
  WriteBytes(tables() / "notes.csv", "x");
  Import();
  EXPECT_TRUE(host_.messages.empty()) << host_.messages[0].text;
  EXPECT_EQ(Saved(1, 7, 2), CellValue::Text("template"));
  EXPECT_EQ(Saved(2, 7, 2), CellValue::Number(100));
  EXPECT_EQ(Saved(2, 27, 3), CellValue::Number(200));
  EXPECT_EQ(Saved(3, 7, 2), CellValue::Number(300));
  EXPECT_EQ(Saved(4, 7, 2), CellValue::Text("template"));
  EXPECT_EQ(Saved(5, 7, 2), CellValue::Text("template"));
  EXPECT_EQ(Saved(5, 17, 3), CellValue::Number(-450));
  for (int i = 1; i <= 5; ++i) {
    EXPECT_EQ(saved_->Sheets().Item(i).Name(), kSheetNames[i - 1]);
  }
  EXPECT_EQ(host_.captions_seen,
            (std::vector<std::string>{"Please wait...", "Converting(mqdat)",
                                      "Converting(peardat)",
                                      "Converting(prndat)", "Please wait..."}));
  EXPECT_EQ(module_.application->Workbooks().Count(), 0);
  EXPECT_FALSE(std::filesystem::exists(tables() / "Price.xls"));
}

TEST_F(DbfImportTest, AMissingTemplateStopsBeforeAnythingStarts) {
  std::filesystem::remove(app() / "System" / "DBFTemplate.xls");
  for (const char* name :
       {"rnddat.dbf", "mqdat.dbf", "peardat.dbf", "emdat.dbf", "prndat.dbf"}) {
    WriteTable(name, {{{"1", "2"}}});
  }
  Import();
  EXPECT_EQ(host_.MessageTexts(),
            std::vector<std::string>{"Standard DBF file not exist."});
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::kInformation);
  EXPECT_EQ(module_.application, nullptr);
  EXPECT_FALSE(std::filesystem::exists(app() / "Price.xls"));
}

TEST_F(DbfImportTest, AFolderWithoutTablesClosesTheWorkbookUnsaved) {
  WriteBytes(tables() / "list.csv", "a,b\r\n");
  WriteBytes(tables() / "rnddat.dbf.bak", "x");
  Import();
  EXPECT_EQ(host_.MessageTexts(),
            std::vector<std::string>{"Sorry,DBF Files not found..."});
  EXPECT_EQ(host_.messages[0].icon, MessageIcon::kInformation);
  ASSERT_NE(module_.application, nullptr);
  EXPECT_EQ(module_.application->Workbooks().Count(), 0);
  EXPECT_FALSE(std::filesystem::exists(app() / "Price.xls"));
}

struct StopCase {
  const char* name;
  const char* file;
  std::string bytes;
  const char* text;
  const char* detail;
};

TEST_F(DbfImportTest, AnyFailureBeforeTheSaveStopsAndKeepsTheOldPriceXls) {
  std::string good =
      testing::DbfBytes(testing::PriceFields(2), {{{"1", "2"}}, {{"3", "4"}}});
  std::vector<StopCase> cases = {
      {"no table", "rnddat.dbf", kPriceList,
       "The table Rnddat could not be converted. Price.xls was not written.",
       "rnddat.dbf: not a dBASE or FoxPro table"},
      {"cut short", "EMDAT.DBF", good.substr(0, good.size() - 10),
       "The table emdat could not be converted. Price.xls was not written.",
       "EMDAT.DBF: cut short: the header counts 2 records that the file does "
       "not hold"},
      {"no number", "mqdat.dbf",
       testing::DbfBytes({{"IF", 'C', 6, 0}}, {{{"1"}}, {{"1.2.3"}}}),
       "The table mqdat could not be converted. Price.xls was not written.",
       "mqdat.dbf, record 2, field IF: holds the text \"1.2.3\", not a price"},
  };
  for (const StopCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(tables());
    std::filesystem::create_directories(tables());
    WriteTable("prndat.dbf", {{{"1", "2"}}});  // never reached
    WriteBytes(tables() / c.file, c.bytes);
    WriteBytes(app() / "Price.xls", "the old workbook");
    host_ = ScriptedHost();
    Import();
    ASSERT_EQ(host_.messages.size(), 1u);
    EXPECT_EQ(host_.messages[0].text, c.text);
    EXPECT_EQ(host_.messages[0].detail, c.detail);
    EXPECT_EQ(host_.messages[0].icon, MessageIcon::kCritical);
    EXPECT_EQ(ReadBytes(app() / "Price.xls"), "the old workbook");
    EXPECT_EQ(module_.application->Workbooks().Count(), 0);
    EXPECT_FALSE(host_.progress_visible);
    EXPECT_FALSE(host_.busy);
    EXPECT_EQ(host_.progress_caption, "Please wait...");
  }
}

TEST_F(DbfImportTest, AnUnreadableTemplateStopsWithItsReason) {
  WriteBytes(app() / "System" / "DBFTemplate.xls", "not a workbook");
  WriteTable("rnddat.dbf", {{{"1", "2"}}});
  Import();
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text,
            "The DBF template could not be read. Price.xls was not written.");
  EXPECT_NE(host_.messages[0].detail.find("DBFTemplate.xls"), std::string::npos)
      << host_.messages[0].detail;
  EXPECT_FALSE(std::filesystem::exists(app() / "Price.xls"));
}

TEST_F(DbfImportTest, AFailedSaveKeepsTheWorkbookUnderARecoveryName) {
  WriteTable("rnddat.dbf", {{{"1", "2"}}});
  std::filesystem::create_directories(app() / "Price.xls" / "busy");
  Import();
  ASSERT_EQ(host_.messages.size(), 1u);
  EXPECT_EQ(host_.messages[0].text.rfind("Price.xls could not be saved.", 0),
            0u)
      << host_.messages[0].text;
  bool kept = false;
  for (const auto& entry : std::filesystem::directory_iterator(app())) {
    kept |= entry.path().filename().string().starts_with("Price-recovered-");
  }
  EXPECT_TRUE(kept);
}

}  // namespace
}  // namespace tarnwick
