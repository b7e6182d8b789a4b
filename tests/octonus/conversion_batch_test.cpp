#include "octonus/conversion_batch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "octonus/price_workbooks.h"
#include "octonus/read_price_file.h"
#include "support/memory_settings_store.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

using Selection = std::vector<bool>;

class ConversionBatchTest : public ::testing::Test {
 protected:
  void SetUp() override { NextCase(); }

  void NextCase() {
    options = {dir / ("case" + std::to_string(++cases_)) / "app"};
    std::filesystem::create_directories(Folder());
    host = ScriptedHost();
  }
  std::filesystem::path Folder() const { return options.app_folder; }

  // Price.xls with sheets Round, Pear and Oval 3, read into the list.
  void ReadThreeSheets(const Rows& pear = ExampleSheet()) {
    WriteWorkbook(Folder() / "Price.xls", {{"Round", ExampleSheet()},
                                           {"Pear", pear},
                                           {"Oval 3", ExampleSheet()}});
    octonus::ReadPriceFile(session, options, host);
    ASSERT_EQ(host.entries.size(), 3u);
  }
  void Run() {
    octonus::ConvertSelectedSheets(session, options, settings, host);
  }
  Selection Selected() const {
    Selection s;
    for (const auto& e : host.entries) s.push_back(e.selected);
    return s;
  }
  bool Written(const std::string& name) const {
    return std::filesystem::is_regular_file(Folder() / (name + ".txt"));
  }
  // The panel is back at rest and no workbook copy of the run is left open,
  // whatever the path.
  void ExpectRunOver() {
    EXPECT_FALSE(host.progress_visible || host.busy || host.cancel);
    EXPECT_EQ(host.progress_value, 0);
    EXPECT_EQ(host.progress_percent, "0%");
    EXPECT_EQ(host.progress_caption, "Please wait...");
    ASSERT_NE(session.application, nullptr);
    EXPECT_EQ(session.application->Workbooks().Count(), 0);
  }

  TempDir dir;
  MemorySettingsStore settings;
  ScriptedHost host;
  octonus::ConversionSession session;
  octonus::ConversionOptions options;
  int cases_ = 0;
};

TEST_F(ConversionBatchTest, EmptyListDoesNothing) {
  host.cancel = true;
  Run();
  EXPECT_TRUE(host.messages.empty());
  EXPECT_FALSE(host.busy || host.progress_visible || host.cancel);
  EXPECT_TRUE(host.captions_seen.empty());
}

TEST_F(ConversionBatchTest, SelectedSheetsAreConvertedAndUnselected) {
  ReadThreeSheets();
  host.entries[1].selected = false;
  Run();
  EXPECT_EQ(ReadBytes(Folder() / "Round.txt"), ExampleBytes());
  EXPECT_EQ(ReadBytes(Folder() / "Oval 3.txt"), ExampleBytes());
  EXPECT_FALSE(Written("Pear"));
  EXPECT_EQ(Selected(), Selection({false, false, false}));
  EXPECT_EQ(host.current, 2);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(host.captions_seen,
            (std::vector<std::string>{"Please wait...", "Writing(Round)",
                                      "Writing(Oval 3)", "Please wait..."}));
  // The progress starts again for every sheet.
  EXPECT_EQ(host.percents_seen,
            (std::vector<std::string>{"0%", "100%", "100%", "0%"}));
  ExpectRunOver();
}

// With an older table for every sheet, a run stopped inside Pear leaves
// Round's new table, Pear's older one to the byte, Oval 3's untouched (or
// converted, after a too-large cell) and no hidden file. A failure is told
// with the sheet's name and empties the list; Escape leaves the stopped
// sheet and the rest selected.
TEST_F(ConversionBatchTest, AStoppedSheetKeepsItsOlderTable) {
  const std::string kNotProper = "File Not Proper\r\nPlease Check this file";
  struct Case {
    const char* stop;
    std::string message;  // how the one message starts; "": none
    std::string reason;   // in a failure's detail
    Selection after;      // the list; empty: emptied
  } cases[] = {
      {"too large", "Too large cell value\r\n", "", {false, false, false}},
      {"wide mass", kNotProper, "Sheet Pear: ", {}},
      {"escape", "", "", {false, true, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stop);
    NextCase();
    const std::string stop = c.stop;
    for (const std::string name : {"Round", "Pear", "Oval 3"}) {
      WriteBytes(Folder() / (name + ".txt"), "older " + name);
    }
    Rows pear = ExampleSheet();
    if (stop == "too large") pear[4][1] = "'A heading too wide";
    if (stop == "wide mass") pear[2][1] = "'0.3000001";
    int pear_rows = 0;
    host.on_events = [&](ScriptedHost& h) {
      if (stop == "escape" && h.progress_caption == "Writing(Pear)" &&
          ++pear_rows == 4) {
        h.cancel = true;
      }
    };
    ReadThreeSheets(pear);
    Run();
    EXPECT_EQ(ReadBytes(Folder() / "Round.txt"), ExampleBytes());
    EXPECT_EQ(ReadBytes(Folder() / "Pear.txt"), "older Pear");
    EXPECT_EQ(ReadBytes(Folder() / "Oval 3.txt"),
              stop == "too large" ? ExampleBytes() : "older Oval 3");
    EXPECT_TRUE(HiddenFiles(Folder()).empty());
    ASSERT_EQ(host.messages.size(), c.message.empty() ? 0u : 1u);
    if (!c.message.empty()) {
      EXPECT_TRUE(host.messages[0].text.starts_with(c.message));
      EXPECT_EQ(host.messages[0].icon, MessageIcon::kInformation);
      EXPECT_TRUE(host.messages[0].detail.starts_with(c.reason))
          << host.messages[0].detail;
    }
    EXPECT_EQ(Selected(), c.after);
    ExpectRunOver();
  }
}

// Workbooks saved anew during a run are read as they stand when a sheet
// opens them; stored settings changed meanwhile wait for the next run, so
// one run gives tables of one width.
TEST_F(ConversionBatchTest,
       WorkbooksAreReadWhenOpenedSettingsWhenTheRunStarts) {
  options.disc_level = 1;
  WriteWorkbook(Folder() / "Discount1.xls",
                {{"Round", ExampleDiscounts("0.5")},
                 {"Pear", ExampleDiscounts("0.5")},
                 {"Oval 3", ExampleDiscounts("0.5")}});
  ReadThreeSheets();
  Rows changed = ExampleSheet();
  changed[5][1] = "12600";
  bool saved = false;
  host.on_events = [&](ScriptedHost& h) {
    if (saved || h.progress_caption != "Writing(Round)") return;
    saved = true;
    settings.values["mSpace"] = "14";
    WriteWorkbook(Folder() / "Price.xls", {{"Round", ExampleSheet()},
                                           {"Pear", changed},
                                           {"Oval 3", ExampleSheet()}});
    WriteWorkbook(Folder() / "Discount1.xls",
                  {{"Round", ExampleDiscounts("1")},
                   {"Pear", ExampleDiscounts("1")},
                   {"Oval 3", ExampleDiscounts("1")}});
  };
  Run();
  EXPECT_TRUE(host.messages.empty());
  EXPECT_NE(ReadBytes(Folder() / "Round.txt").find("\r\nR1          6250 "),
            std::string::npos);
  EXPECT_NE(ReadBytes(Folder() / "Pear.txt").find("\r\nR1          12600 "),
            std::string::npos);
  EXPECT_EQ(ReadBytes(Folder() / "Oval 3.txt"), ExampleBytes());
  EXPECT_EQ(settings.values["mSpace"], "14");
}

}  // namespace
}  // namespace tarnwick::test
