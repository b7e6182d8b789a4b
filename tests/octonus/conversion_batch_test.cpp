#include "octonus/conversion_batch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "octonus/price_workbooks.h"
#include "octonus/read_price_file.h"
#include "support/memory_settings_store.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::ExampleLines;
using testing::ExampleSheet;
using testing::MemorySettingsStore;
using testing::ReadBytes;
using testing::Rows;
using testing::ScriptedHost;
using testing::TableBytes;
using testing::TempDir;
using testing::WriteWorkbook;

constexpr char kFileNotProper[] = "File Not Proper\r\nPlease Check this file";

class ConversionBatchTest : public ::testing::Test {
 protected:
  void SetUp() override { options.app_folder = dir.path(); }

  // Price.xls with sheets Round, Pear and Oval 3, read into the list.
  void ReadThreeSheets(const Rows& pear = ExampleSheet()) {
    WriteWorkbook(dir / "Price.xls", {{"Round", ExampleSheet()},
                                      {"Pear", pear},
                                      {"Oval 3", ExampleSheet()}});
    ReadPriceFile(session, options, host);
    ASSERT_EQ(host.entries.size(), 3u);
  }
  void Run() { ConvertSelectedSheets(session, options, settings, host); }
  std::vector<bool> Selection() const {
    std::vector<bool> s;
    for (const auto& e : host.entries) s.push_back(e.selected);
    return s;
  }
  bool Written(const std::string& name) const {
    return std::filesystem::exists(dir / (name + ".txt"));
  }
  // No workbook copy of the run is left open, whatever the path.
  void ExpectCopiesReleased() {
    ASSERT_NE(session.application, nullptr);
    EXPECT_EQ(session.application->Workbooks().Count(), 0);
  }
  void ExpectPanelIdle() {
    EXPECT_FALSE(host.progress_visible);
    EXPECT_FALSE(host.busy);
    EXPECT_EQ(host.progress_value, 0);
    EXPECT_EQ(host.progress_percent, "0%");
    EXPECT_EQ(host.progress_caption, "Please wait...");
  }

  TempDir dir;
  MemorySettingsStore settings;
  ScriptedHost host;
  ConversionSession session;
  ConversionOptions options;
};

TEST_F(ConversionBatchTest, EmptyListDoesNothing) {
  host.cancel = true;
  Run();
  EXPECT_TRUE(host.messages.empty());
  EXPECT_FALSE(host.busy);
  EXPECT_FALSE(host.progress_visible);
  EXPECT_FALSE(host.cancel);
  EXPECT_TRUE(host.captions_seen.empty());
}

TEST_F(ConversionBatchTest, SelectedSheetsAreConvertedAndUnselected) {
  ReadThreeSheets();
  host.entries[1].selected = false;
  Run();
  EXPECT_EQ(ReadBytes(dir / "Round.txt"), TableBytes(ExampleLines()));
  EXPECT_EQ(ReadBytes(dir / "Oval 3.txt"), TableBytes(ExampleLines()));
  EXPECT_FALSE(Written("Pear"));
  EXPECT_EQ(Selection(), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(host.current, 2);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.captions_seen,
            (std::vector<std::string>{"Please wait...", "Writing(Round)",
                                      "Writing(Oval 3)", "Please wait..."}));
  ExpectPanelIdle();
  ExpectCopiesReleased();
}

TEST_F(ConversionBatchTest, EscapeKeepsTheCancelledSheetAndTheRestSelected) {
  ReadThreeSheets();
  int pear_rows = 0;
  host.on_events = [&pear_rows](ScriptedHost& h) {
    if (h.progress_caption == "Writing(Pear)" && ++pear_rows == 4) {
      h.cancel = true;
    }
  };
  Run();
  std::vector<std::string> lines = ExampleLines();
  lines.resize(3);  // Pear stops before its fourth row
  EXPECT_EQ(ReadBytes(dir / "Pear.txt"), TableBytes(lines));
  EXPECT_FALSE(Written("Oval 3"));
  EXPECT_EQ(Selection(), (std::vector<bool>{false, true, true}));
  EXPECT_FALSE(host.cancel);
  EXPECT_TRUE(host.messages.empty());
  ExpectPanelIdle();
  ExpectCopiesReleased();
}

TEST_F(ConversionBatchTest, FailureStopsTheRunAndEmptiesTheList) {
  Rows pear = ExampleSheet();
  pear[2][1] = "'0.3000001";  // a mass bound wider than its column
  ReadThreeSheets(pear);
  Run();
  ASSERT_EQ(host.MessageTexts(), std::vector<std::string>{kFileNotProper});
  EXPECT_EQ(host.messages[0].icon, MessageIcon::kInformation);
  EXPECT_TRUE(host.messages[0].detail.starts_with("Sheet Pear: "))
      << host.messages[0].detail;
  EXPECT_NE(host.messages[0].detail.find("0.3000001"), std::string::npos);
  EXPECT_EQ(ReadBytes(dir / "Round.txt"), TableBytes(ExampleLines()));
  std::vector<std::string> lines = ExampleLines();
  lines.resize(2);
  EXPECT_EQ(ReadBytes(dir / "Pear.txt"), TableBytes(lines));
  EXPECT_FALSE(Written("Oval 3"));
  EXPECT_TRUE(host.entries.empty());
  EXPECT_FALSE(host.busy);
  EXPECT_FALSE(host.progress_visible);
  ExpectCopiesReleased();
}

TEST_F(ConversionBatchTest, TableThatCannotBeCreatedIsAFailure) {
  ReadThreeSheets();
  std::filesystem::create_directory(dir / "Pear.txt");
  Run();
  ASSERT_EQ(host.MessageTexts(), std::vector<std::string>{kFileNotProper});
  EXPECT_TRUE(host.messages[0].detail.starts_with("Sheet Pear: "));
  EXPECT_FALSE(Written("Oval 3"));
  EXPECT_TRUE(host.entries.empty());
}

TEST_F(ConversionBatchTest, MissingDiscountSheetIsAFailure) {
  options.disc_level = 1;
  WriteWorkbook(dir / "Discount1.xls", {{"Round", {}}});
  ReadThreeSheets();
  Run();
  EXPECT_EQ(host.MessageTexts(), std::vector<std::string>{kFileNotProper});
  EXPECT_TRUE(Written("Round"));
  EXPECT_FALSE(Written("Pear"));
  ExpectCopiesReleased();
}

TEST_F(ConversionBatchTest, WritersOwnMessagesLetTheRunGoOn) {
  Rows pear = ExampleSheet();
  pear[4][1] = "'A heading too wide";
  ReadThreeSheets(pear);
  Run();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_TRUE(host.messages[0].text.starts_with("Too large cell value\r\n"));
  EXPECT_TRUE(Written("Oval 3"));
  EXPECT_EQ(Selection(), (std::vector<bool>{false, false, false}));
  ExpectPanelIdle();
  ExpectCopiesReleased();
}

TEST_F(ConversionBatchTest, NoToAMissingDiscountSkipsOnlyThatSheet) {
  options.disc_level = 1;
  ReadThreeSheets();
  host.messages.clear();
  host.answers = {true, false, true};
  Run();
  EXPECT_EQ(host.questions.size(), 3u);
  EXPECT_TRUE(Written("Round"));
  EXPECT_FALSE(Written("Pear"));
  EXPECT_TRUE(Written("Oval 3"));
  EXPECT_EQ(Selection(), (std::vector<bool>{false, false, false}));
  EXPECT_TRUE(host.messages.empty());
}

// Escape pressed while a writer's message is up reaches the batch between
// two sheets.
class EscapeAtMessageHost : public ScriptedHost {
 public:
  void ShowMessage(std::string_view text, MessageIcon icon,
                   std::string_view detail) override {
    ScriptedHost::ShowMessage(text, icon, detail);
    cancel = true;
  }
};

TEST_F(ConversionBatchTest, EscapeBetweenSheetsStopsBeforeTheNext) {
  WriteWorkbook(dir / "Price.xls",
                {{"Round", {{"TABLES:", "1"}}}, {"Pear", ExampleSheet()}});
  EscapeAtMessageHost escape;
  ReadPriceFile(session, options, escape);
  ConvertSelectedSheets(session, options, settings, escape);
  EXPECT_EQ(escape.MessageTexts(),
            std::vector<std::string>{"End File Pointer not present"});
  EXPECT_FALSE(std::filesystem::exists(dir / "Pear.txt"));
  EXPECT_TRUE(escape.entries[0].selected);
  EXPECT_TRUE(escape.entries[1].selected);
  EXPECT_FALSE(escape.cancel);
  EXPECT_FALSE(escape.progress_visible);
}

TEST_F(ConversionBatchTest, ProgressStartsAgainForEverySheet) {
  ReadThreeSheets();
  Run();
  EXPECT_EQ(host.percents_seen,
            (std::vector<std::string>{"0%", "100%", "100%", "100%", "0%"}));
}

}  // namespace
}  // namespace tarnwick
