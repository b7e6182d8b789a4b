#include "octonus/conversion_batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "octonus/price_workbooks.h"
#include "octonus/read_price_file.h"
#include "support/memory_settings_store.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::ExampleBytes;
using test::ExampleSheet;
using test::ReadBytes;
using test::Rows;
using test::ScriptedHost;

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
    test::WriteWorkbook(Folder() / "Price.xls", {{"Round", ExampleSheet()},
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

  test::TempDir dir;
  test::MemorySettingsStore settings;
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
  test::WriteWorkbook(Folder() / "Price.xls",
                      {{"Round", {{"TABLES:", "1"}}}, {"Pear", {}}});
  EscapeAtMessageHost escape;
  octonus::ReadPriceFile(session, options, escape);
  octonus::ConvertSelectedSheets(session, options, settings, escape);
  EXPECT_EQ(escape.MessageTexts(),
            std::vector<std::string>{"End File Pointer not present"});
  EXPECT_FALSE(Written("Pear"));
  EXPECT_TRUE(escape.entries[0].selected && escape.entries[1].selected);
  EXPECT_FALSE(escape.cancel || escape.progress_visible);
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
      {"table is a folder", kNotProper, "Sheet Pear: ", {}},
      {"no discount sheet", kNotProper, "Sheet Pear: ", {}},
      {"escape", "", "", {false, true, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stop);
    NextCase();
    const std::string stop = c.stop;
    for (const std::string name : {"Round", "Pear", "Oval 3"}) {
      if (name != "Pear" || stop != "table is a folder") {
        test::WriteBytes(Folder() / (name + ".txt"), "older " + name);
      }
    }
    Rows pear = ExampleSheet();
    if (stop == "too large") pear[4][1] = "'A heading too wide";
    if (stop == "wide mass") pear[2][1] = "'0.3000001";
    if (stop == "table is a folder") {
      std::filesystem::create_directory(Folder() / "Pear.txt");
    }
    if (stop == "no discount sheet") {
      options.disc_level = 1;
      test::WriteWorkbook(Folder() / "Discount1.xls",
                          {{"Round", test::ExampleDiscounts("1")}});
    }
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
    if (stop != "table is a folder") {
      EXPECT_EQ(ReadBytes(Folder() / "Pear.txt"), "older Pear");
    }
    EXPECT_EQ(ReadBytes(Folder() / "Oval 3.txt"),
              stop == "too large" ? ExampleBytes() : "older Oval 3");
    EXPECT_TRUE(test::HiddenFiles(Folder()).empty());
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

// A crafted workbook can carry sheet names no spreadsheet program lets a
// person type; each must fail its sheet and write nowhere, while an unusual
// but plain name still converts.
TEST_F(ConversionBatchTest, ASheetNameThatIsNoPlainFileNameWritesNothing) {
  using namespace std::string_literals;
  struct Case {
    std::string name;  // put in the saved workbook's bytes
    std::string why;   // empty: converted
  } cases[] = {
      {"../x", "the name holds a path separator"},
      {"/abs/x", "the name holds a path separator"},
      {"System/Color", "the name holds a path separator"},
      {"Price.xls\0x"s, "the name holds a control character"},
      {"Oval \u00E9.1.5 ct", ""},
  };
  for (const Case& c : cases) {
    NextCase();
    std::filesystem::create_directories(Folder() / "System");
    test::WriteBytes(Folder() / "System" / "Color.txt", "D\r\n");
    // A name the engine refuses is saved under a stand-in of its length,
    // then put in the bytes.
    std::string stand_in =
        c.why.empty() ? c.name : std::string(c.name.size(), 'Q');
    test::WriteWorkbook(Folder() / "Price.xls", {{stand_in, ExampleSheet()}});
    std::string book = ReadBytes(Folder() / "Price.xls");
    if (!c.why.empty())
      book.replace(book.find(stand_in), stand_in.size(), c.name);
    test::WriteBytes(Folder() / "Price.xls", book);
    octonus::ReadPriceFile(session, options, host);
    ASSERT_EQ(host.entries.size(), 1u);
    Run();

    std::vector<std::string> left;
    for (const auto& e : std::filesystem::recursive_directory_iterator(
             Folder().parent_path())) {
      left.push_back(e.path().lexically_relative(Folder()).string());
    }
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected = {"System/Color.txt"};
    if (c.why.empty()) {
      EXPECT_TRUE(host.messages.empty());
      expected.push_back(c.name + ".txt");
      EXPECT_EQ(ReadBytes(Folder() / (c.name + ".txt")), ExampleBytes());
    } else {
      ASSERT_EQ(host.messages.size(), 1u);
      EXPECT_EQ(host.messages[0].detail,
                "Sheet " + c.name +
                    ": the sheet's name cannot name a table file (" + c.why +
                    ")");
    }
    expected.insert(expected.end(),
                    {".", ".tarnwick.lock", "Price.xls", "System"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected) << c.name;
    EXPECT_EQ(ReadBytes(Folder() / "Price.xls"), book);
    EXPECT_EQ(ReadBytes(Folder() / "System" / "Color.txt"), "D\r\n");
  }
}

TEST_F(ConversionBatchTest, NoToAMissingDiscountSkipsOnlyThatSheet) {
  options.disc_level = 1;
  ReadThreeSheets();
  host.messages.clear();
  host.answers = {true, false, true};
  Run();
  EXPECT_EQ(host.questions.size(), 3u);
  EXPECT_TRUE(Written("Round") && Written("Oval 3"));
  EXPECT_FALSE(Written("Pear"));
  EXPECT_EQ(Selected(), Selection({false, false, false}));
  EXPECT_TRUE(host.messages.empty());
}

// Workbooks saved anew during a run are read as they stand when a sheet
// opens them; stored settings changed meanwhile wait for the next run, so
// one run gives tables of one width.
TEST_F(ConversionBatchTest,
       WorkbooksAreReadWhenOpenedSettingsWhenTheRunStarts) {
  options.disc_level = 1;
  test::WriteWorkbook(Folder() / "Discount1.xls",
                      {{"Round", test::ExampleDiscounts("0.5")},
                       {"Pear", test::ExampleDiscounts("0.5")},
                       {"Oval 3", test::ExampleDiscounts("0.5")}});
  ReadThreeSheets();
  Rows changed = ExampleSheet();
  changed[5][1] = "12600";
  bool saved = false;
  host.on_events = [&](ScriptedHost& h) {
    if (saved || h.progress_caption != "Writing(Round)") return;
    saved = true;
    settings.values["mSpace"] = "14";
    test::WriteWorkbook(Folder() / "Price.xls", {{"Round", ExampleSheet()},
                                                 {"Pear", changed},
                                                 {"Oval 3", ExampleSheet()}});
    test::WriteWorkbook(Folder() / "Discount1.xls",
                        {{"Round", test::ExampleDiscounts("1")},
                         {"Pear", test::ExampleDiscounts("1")},
                         {"Oval 3", test::ExampleDiscounts("1")}});
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
}  // namespace tarnwick
