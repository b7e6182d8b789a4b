#include "octonus/conversion_batch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "octonus/price_workbooks.h"
#include "octonus/read_price_file.h"
#include "octonus/write_oct_format.h"
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
  void SetUp() override { options.app_folder = dir / "app"; }

  std::filesystem::path Folder() const { return options.app_folder; }

  // Price.xls with sheets Round, Pear and Oval 3, read into the list.
  void ReadThreeSheets(const Rows& pear = ExampleSheet()) {
    std::filesystem::create_directories(Folder());
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
    EXPECT_FALSE(host.progress_visible);
    EXPECT_FALSE(host.busy);
    EXPECT_FALSE(host.cancel);
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

TEST_F(ConversionBatchTest, EscapeKeepsTheCancelledSheetAndTheRestSelected) {
  ReadThreeSheets();
  int pear_rows = 0;
  host.on_events = [&pear_rows](ScriptedHost& h) {
    if (h.progress_caption == "Writing(Pear)" && ++pear_rows == 4) {
      h.cancel = true;
    }
  };
  Run();
  EXPECT_FALSE(Written("Pear") || Written("Oval 3"));
  EXPECT_EQ(Selected(), Selection({false, true, true}));
  EXPECT_TRUE(host.messages.empty());
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
  std::filesystem::create_directories(Folder());
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

TEST_F(ConversionBatchTest, FailureStopsTheRunAndEmptiesTheList) {
  enum Fault { kWideMass, kTableIsFolder, kNoDiscountSheet };
  struct Case {
    Fault fault;
    std::string reason_has;  // in the message's detail
  } cases[] = {
      {kWideMass, "0.3000001"},
      {kTableIsFolder, ""},
      {kNoDiscountSheet, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    options = {dir / ("fault" + std::to_string(c.fault))};
    std::filesystem::create_directories(Folder());
    host = ScriptedHost();
    Rows pear = ExampleSheet();
    if (c.fault == kWideMass) pear[2][1] = "'0.3000001";
    if (c.fault == kTableIsFolder) {
      std::filesystem::create_directory(Folder() / "Pear.txt");
    }
    if (c.fault == kNoDiscountSheet) {
      options.disc_level = 1;
      test::WriteWorkbook(Folder() / "Discount1.xls",
                          {{"Round", test::ExampleDiscounts("1")}});
    }
    ReadThreeSheets(pear);
    Run();
    ASSERT_EQ(
        host.MessageTexts(),
        std::vector<std::string>{"File Not Proper\r\nPlease Check this file"});
    EXPECT_EQ(host.messages[0].icon, MessageIcon::kInformation);
    const std::string& detail = host.messages[0].detail;
    EXPECT_TRUE(detail.starts_with("Sheet Pear: ")) << detail;
    EXPECT_NE(detail.find(c.reason_has), std::string::npos) << detail;
    EXPECT_EQ(ReadBytes(Folder() / "Round.txt"), ExampleBytes());
    EXPECT_FALSE(Written("Oval 3"));
    EXPECT_TRUE(host.entries.empty());
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
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(n);
    options = {dir / ("case" + std::to_string(++n)) / "app"};
    host = ScriptedHost();
    std::filesystem::create_directories(Folder() / "System");
    test::WriteBytes(Folder() / "System" / "Color.txt", "D\r\n");
    // A name the engine refuses is saved under a stand-in of its length,
    // then put in the bytes.
    std::string stand_in =
        c.why.empty() ? c.name : std::string(c.name.size(), 'Q');
    test::WriteWorkbook(Folder() / "Price.xls", {{stand_in, ExampleSheet()}});
    std::string book = ReadBytes(Folder() / "Price.xls");
    std::size_t at = book.find(stand_in);
    if (!c.why.empty()) book.replace(at, stand_in.size(), c.name);
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
    std::vector<std::string> expected = {".", ".tarnwick.lock", "Price.xls",
                                         "System", "System/Color.txt"};
    if (c.why.empty()) {
      EXPECT_TRUE(host.messages.empty());
      expected.insert(expected.begin() + 2, c.name + ".txt");
      EXPECT_EQ(ReadBytes(Folder() / (c.name + ".txt")), ExampleBytes());
    } else {
      ASSERT_EQ(host.messages.size(), 1u);
      EXPECT_EQ(host.messages[0].detail,
                "Sheet " + c.name +
                    ": the sheet's name cannot name a table file (" + c.why +
                    ")");
    }
    EXPECT_EQ(left, expected);
    EXPECT_EQ(ReadBytes(Folder() / "Price.xls"), book);
    EXPECT_EQ(ReadBytes(Folder() / "System" / "Color.txt"), "D\r\n");
  }
}

TEST_F(ConversionBatchTest, WritersOwnMessagesLetTheRunGoOn) {
  Rows pear = ExampleSheet();
  pear[4][1] = "'A heading too wide";
  ReadThreeSheets(pear);
  Run();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_TRUE(host.messages[0].text.starts_with("Too large cell value\r\n"));
  EXPECT_EQ(ReadBytes(Folder() / "Oval 3.txt"), ExampleBytes());
  EXPECT_EQ(Selected(), Selection({false, false, false}));
  ExpectRunOver();
}

// With an older table for every sheet, a run stopped inside the second
// sheet leaves the first sheet's new table, the second's older one to the
// byte, the later ones untouched, and no hidden file.
TEST_F(ConversionBatchTest, AStoppedSheetKeepsItsOlderTable) {
  enum Stop { kTooLarge, kFailure, kEscape };
  for (Stop stop : {kTooLarge, kFailure, kEscape}) {
    SCOPED_TRACE(stop);
    options = {dir / ("stop" + std::to_string(stop))};
    host = ScriptedHost();
    std::filesystem::create_directories(Folder());
    for (const char* name : {"Round", "Pear", "Oval 3"}) {
      test::WriteBytes(Folder() / (std::string(name) + ".txt"),
                       std::string("older ") + name);
    }
    Rows pear = ExampleSheet();
    if (stop == kTooLarge) pear[4][1] = "'A heading too wide";
    if (stop == kFailure) pear[2][1] = "'0.3000001";
    host.on_events = [stop](ScriptedHost& h) {
      if (stop == kEscape && h.progress_caption == "Writing(Pear)") {
        h.cancel = true;
      }
    };
    ReadThreeSheets(pear);
    Run();
    EXPECT_EQ(ReadBytes(Folder() / "Round.txt"), ExampleBytes());
    EXPECT_EQ(ReadBytes(Folder() / "Pear.txt"), "older Pear");
    EXPECT_EQ(ReadBytes(Folder() / "Oval 3.txt"),
              stop == kTooLarge ? ExampleBytes() : "older Oval 3");
    EXPECT_TRUE(test::HiddenFiles(Folder()).empty());
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

// The batch works out each next sheet's table ahead, on another thread, and
// plays it back when its turn comes. Every sheet must come out as a sheet
// converted on its own does: the same bytes, the same progress.
TEST_F(ConversionBatchTest, SheetsWorkedOutAheadMatchSheetsConvertedAlone) {
  options.disc_level = 2;
  options.disc_format = octonus::DiscountFormat::kPercentOff;
  std::filesystem::create_directories(Folder());
  Rows second = ExampleSheet();
  second[5][2] = "10999.5";
  std::vector<test::SheetRows> price;
  for (const char* name : {"A", "B", "C", "D"}) {
    price.push_back({name, std::string(name) == "B" ? second : ExampleSheet()});
  }
  test::WriteWorkbook(Folder() / "Price.xls", price);
  for (const char* factor : {"10", "2.5"}) {
    std::vector<test::SheetRows> discount;
    for (const char* name : {"A", "B", "C", "D"}) {
      discount.push_back({name, test::ExampleDiscounts(factor)});
    }
    test::WriteWorkbook(
        Folder() /
            (std::string(factor) == "10" ? "Discount1.xls" : "Discount2.xls"),
        discount);
  }
  settings.values = {{"mSpace", "11"}, {"cRound", "1"}, {"rDecimalPoint", "1"}};

  octonus::ReadPriceFile(session, options, host);
  Run();
  std::vector<std::string> batch_tables;
  for (const char* name : {"A", "B", "C", "D"}) {
    batch_tables.push_back(ReadBytes(Folder() / (std::string(name) + ".txt")));
  }
  std::vector<std::string> batch_percents = host.percents_seen;

  ScriptedHost alone;
  ReadPriceFile(session, options, alone);
  octonus::RunCopies copies;
  for (int sheet = 1; sheet <= 4; ++sheet) {
    octonus::WriteOCTFormat(session, sheet, options, settings, alone, copies);
    EXPECT_EQ(ReadBytes(Folder() / (alone.entries[sheet - 1].name + ".txt")),
              batch_tables[sheet - 1])
        << sheet;
    alone.SetProgressValue(0);
  }
  EXPECT_NE(batch_tables[0], batch_tables[1]);
  EXPECT_TRUE(host.messages.empty() && alone.messages.empty());
  // The batch's percents are the sheets' own, between its resets to 0%.
  std::vector<std::string> sheets_percents;
  for (std::size_t i = 1; i + 1 < batch_percents.size(); ++i) {
    sheets_percents.push_back(batch_percents[i]);
  }
  EXPECT_EQ(sheets_percents, alone.percents_seen);
}

// A new Price.xls can be saved over the old one while a sheet is written:
// the next sheet shows what it reads when its turn comes, not what was read
// ahead. Stored settings changed meanwhile wait for the next run: one run
// gives tables of one width.
TEST_F(ConversionBatchTest, ASheetReadsItsWorkbookWhenItsTurnComes) {
  ReadThreeSheets();
  Rows changed = ExampleSheet();
  changed[5][1] = "12600";
  bool saved = false;
  host.on_events = [&](ScriptedHost& h) {
    if (saved || h.progress_caption != "Writing(Round)") return;
    saved = true;
    test::WriteWorkbook(Folder() / "Price.xls", {{"Round", ExampleSheet()},
                                                 {"Pear", changed},
                                                 {"Oval 3", ExampleSheet()}});
  };
  Run();
  std::string pear = ReadBytes(Folder() / "Pear.txt");
  EXPECT_NE(pear.find("R1          12600       11000"), std::string::npos)
      << pear;

  host = ScriptedHost();
  ReadThreeSheets();
  host.on_events = [this](ScriptedHost& h) {
    if (h.progress_caption == "Writing(Round)")
      settings.values["mSpace"] = "14";
  };
  Run();
  EXPECT_EQ(ReadBytes(Folder() / "Round.txt"), ExampleBytes());
  EXPECT_EQ(ReadBytes(Folder() / "Pear.txt"), ExampleBytes());
  EXPECT_EQ(settings.values["mSpace"], "14");
}

// Reading the price workbook starts reading the discount workbooks ahead.
// What the conversion uses is each workbook as it stands when the sheet
// opens it: one saved anew in between is read again, and one that cannot
// be read is reported as it always was.
TEST_F(ConversionBatchTest, DiscountWorkbooksAreUsedAsTheyStandWhenOpened) {
  options.disc_level = 2;
  std::filesystem::create_directories(Folder());
  test::WriteWorkbook(Folder() / "Discount1.xls",
                      {{"Round", test::ExampleDiscounts("0.5")},
                       {"Pear", test::ExampleDiscounts("0.5")},
                       {"Oval 3", test::ExampleDiscounts("0.5")}});
  test::WriteWorkbook(Folder() / "Discount2.xls",
                      {{"Round", test::ExampleDiscounts("1")},
                       {"Pear", test::ExampleDiscounts("1")},
                       {"Oval 3", test::ExampleDiscounts("1")}});
  ReadThreeSheets();
  test::WriteWorkbook(Folder() / "Discount1.xls",
                      {{"Round", test::ExampleDiscounts("0.9")},
                       {"Pear", test::ExampleDiscounts("0.9")},
                       {"Oval 3", test::ExampleDiscounts("0.9")}});
  Run();
  EXPECT_TRUE(host.messages.empty());
  EXPECT_NE(ReadBytes(Folder() / "Round.txt").find("R1          11250"),
            std::string::npos);

  host = ScriptedHost();
  ReadThreeSheets();
  test::WriteBytes(Folder() / "Discount2.xls", "not a workbook at all");
  Run();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_NE(host.messages[0].detail.find("Discount2.xls"), std::string::npos)
      << host.messages[0].detail;
}

}  // namespace
}  // namespace tarnwick
