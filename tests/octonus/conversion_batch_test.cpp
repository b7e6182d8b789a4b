#include "octonus/conversion_batch.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "octonus/price_workbooks.h"
#include "octonus/read_price_file.h"

namespace tarnwick::test {
namespace {

class ConversionBatchTest : public PriceFolderTest {
 protected:
  // Price.xls with sheets Round, Pear and Oval 3 and, given a factor,
  // Discount1.xls with it in their price cells.
  void WriteBooks(const Rows& pear, const std::string& factor = "") {
    WriteWorkbook(Folder() / "Price.xls", {{"Round", ExampleSheet()},
                                           {"Pear", pear},
                                           {"Oval 3", ExampleSheet()}});
    if (!factor.empty()) {
      Rows d = ExampleDiscounts(factor);
      WriteWorkbook(Folder() / "Discount1.xls",
                    {{"Round", d}, {"Pear", d}, {"Oval 3", d}});
    }
  }
  // The workbooks, read into the list.
  void ReadThreeSheets(const Rows& pear = ExampleSheet(),
                       const std::string& factor = "") {
    WriteBooks(pear, factor);
    octonus::ReadPriceFile(session, options, host);
    ASSERT_EQ(host.entries.size(), 3u);
  }
  void Run() {
    octonus::ConvertSelectedSheets(session, options, settings, host);
  }
};

TEST_F(ConversionBatchTest, EmptyListDoesNothing) {
  host.cancel = true;
  Run();
  EXPECT_TRUE(host.messages.empty() && host.captions_seen.empty());
  EXPECT_FALSE(host.busy || host.progress_visible || host.cancel);
}

// With an older table for every sheet, a run that leaves Pear out or stops
// inside it leaves Round's new table, Pear's older one to the byte, Oval 3's
// untouched (or converted, after a too-large cell) and no hidden file. A
// failure is told with the sheet's name and empties the list; Escape leaves
// the stopped sheet and the rest selected.
TEST_F(ConversionBatchTest,
       SelectedSheetsAreConvertedAndAStoppedOneKeepsItsOlderTable) {
  const std::string kNotProper = "File Not Proper\r\nPlease Check this file";
  struct Case {
    std::string stop;
    std::string message;  // how the one message, then its detail, start
    std::string after;    // the list, + for a selected entry; "": emptied
  } cases[] = {
      {"Pear not selected", "", "---"},
      {"too large", "Too large cell value\r\n", "---"},
      {"wide mass", kNotProper + "|Sheet Pear: ", ""},
      {"escape", "", "-++"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stop);
    NextCase();
    for (const std::string name : {"Round", "Pear", "Oval 3"}) {
      WriteBytes(Folder() / (name + ".txt"), "older " + name);
    }
    Rows pear = ExampleSheet();
    if (c.stop == "too large") pear[4][1] = "'A heading too wide";
    if (c.stop == "wide mass") pear[2][1] = "'0.3000001";
    int pear_rows = 0;
    host.on_events = [&](ScriptedHost& h) {
      if (c.stop == "escape" && h.progress_caption == "Writing(Pear)" &&
          ++pear_rows == 4) {
        h.cancel = true;
      }
    };
    ReadThreeSheets(pear);
    host.entries[1].selected = c.stop != "Pear not selected";
    Run();
    EXPECT_EQ(ReadBytes(Folder() / "Round.txt"), ExampleBytes());
    EXPECT_EQ(ReadBytes(Folder() / "Pear.txt"), "older Pear");
    // A run that went on to the end has unselected every sheet.
    EXPECT_EQ(ReadBytes(Folder() / "Oval 3.txt"),
              c.after == "---" ? ExampleBytes() : "older Oval 3");
    EXPECT_TRUE(HiddenFiles(Folder()).empty());
    ASSERT_EQ(host.messages.size(), c.message.empty() ? 0u : 1u);
    for (const auto& m : host.messages) {
      EXPECT_TRUE((m.text + "|" + m.detail).starts_with(c.message)) << m.text;
      EXPECT_EQ(m.icon, MessageIcon::kInformation);
    }
    std::string after;
    for (const auto& e : host.entries) after += e.selected ? '+' : '-';
    EXPECT_EQ(after, c.after);
    // The panel is back at rest and no workbook copy is left open.
    EXPECT_FALSE(host.progress_visible || host.busy || host.cancel ||
                 host.progress_value != 0);
    EXPECT_EQ(host.progress_percent + host.progress_caption,
              "0%Please wait...");
    ASSERT_NE(session.application, nullptr);
    EXPECT_EQ(session.application->Workbooks().Count(), 0);
    if (c.stop == "Pear not selected") {
      EXPECT_EQ(host.current, 2);
      EXPECT_EQ(host.captions_seen,
                (Texts{"Please wait...", "Writing(Round)", "Writing(Oval 3)",
                       "Please wait..."}));
      // The progress starts again for every sheet.
      EXPECT_EQ(host.percents_seen, (Texts{"0%", "100%", "100%", "0%"}));
    }
  }
}

// Workbooks saved anew during a run are read as they stand when a sheet
// opens them; stored settings changed meanwhile wait for the next run, so
// one run gives tables of one width.
TEST_F(ConversionBatchTest,
       WorkbooksAreReadWhenOpenedSettingsWhenTheRunStarts) {
  options.disc_level = 1;
  ReadThreeSheets(ExampleSheet(), "0.5");
  Rows changed = ExampleSheet();
  changed[5][1] = "12600";
  host.on_events = [&, saved = false](ScriptedHost& h) mutable {
    if (saved || h.progress_caption != "Writing(Round)") return;
    saved = true;
    settings.values["mSpace"] = "14";
    WriteBooks(changed, "1");
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
