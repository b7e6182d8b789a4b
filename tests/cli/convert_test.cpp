#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "octonus/price_workbooks.h"
#include "spreadsheet/xls/blank_workbook.h"
#include "spreadsheet/xls/workbook_writer.h"
#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::ExampleBytes;
using test::ReadBytes;
using test::RunCli;
using test::TempDir;

void WriteWithXlwt(const TempDir& dir) {
  test::RunPeer("write_example_price.py",
                {dir / "Price.xls", "Round", "Émeraude", "Oval 3"});
}

TEST(ConvertCommandTest, GivenOptionsHoldForTheRunStoredOnesOtherwise) {
  const std::string kStored = "mSpace=10\ncRound=0\nrDecimalPoint=0\nDisc=1\n";
  struct Case {
    std::string arguments;
    std::string line;  // a line of Round.txt, CR LF around it
  } cases[] = {
      {"--space 14 --round 2 --disc 0",
       std::string(14, ' ') + "X1" + std::string(12, ' ') + "X2"},
      {"--disc-format 100%", "R1        11250     9900      8820      \r\n"},
      {"--disc 0", "R1        12500     11000     9800      \r\n"},
  };
  TempDir dir;
  WriteWithXlwt(dir);
  test::WriteWorkbook(dir / "Discount1.xls",
                      {{"Round", test::ExampleDiscounts("10")}});
  test::StoreSettings(dir.path(), kStored);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    EXPECT_EQ(RunCli(dir.path(), "convert --sheet Round " + c.arguments), 0);
    std::string bytes = ReadBytes(dir / "Round.txt");
    EXPECT_NE(bytes.find("\r\n" + c.line), std::string::npos) << bytes;
    std::string stored = ReadBytes(test::SettingsFile(dir.path()));
    for (const char* value :
         {"mSpace=10\n", "cRound=0\n", "rDecimalPoint=0\n", "Disc=1\n"}) {
      EXPECT_NE(stored.find(value), std::string::npos) << stored;
    }
  }
}

TEST(ConvertCommandTest, ExitStatusAndMessagesTellWhatTheRunDid) {
  const std::string kAsk =
      "Discount-1file not exist!!!\nDo you want to continue?\n";
  const std::string kNo = "Discount-1file not exist!!!\n" + kAsk + "No\n" +
                          kAsk + "No\n" + kAsk + "No\n";
  const std::string kYes = "Discount-1file not exist!!!\n" + kAsk + "Yes\n" +
                           kAsk + "Yes\n" + kAsk + "Yes\n";
  const std::string kHeart =
      "tarnwick-cli: Price.xls has no sheet named \"Heart\"\n";
  const std::string kNotProper =
      "File Not Proper\nPlease Check this file\nSheet Émeraude: ";
  const std::string kUnread =
      "Price file can not be read: DIR/Price.xls\nDIR/Price.xls: the workbook ";
  const std::vector<std::string> kAll = {"Round", "Émeraude", "Oval 3"};
  const std::vector<std::string> kTwo = {"Émeraude", "Oval 3"};
  struct Case {
    std::string setup;  // "" for the xlwt workbook alone
    std::string arguments;
    int status;
    std::string err;
    bool whole_err;  // otherwise `err` is how it starts
    std::vector<std::string> written = {};
  } cases[] = {
      {"", "convert --sheet émeraude --sheet 'Oval 3'", 0, "", true, kTwo},
      {"", "convert --sheet Émeraude --sheet Heart", 1, kHeart, true},
      {"", "convert --fast", 2, "", false},
      {"", "--no convert --disc 1", 1, kNo, true},
      {"", "--yes convert --disc 1", 1, kYes, true, kAll},
      {"no Price.xls", "convert", 1, "Price file not exist!!!\n", true},
      {"Émeraude.txt a folder", "convert", 1, kNotProper, false, {"Round"}},
      {"Price.xls no sheet", "convert", 1, kUnread + "has no sheet\n", true},
      {"Price.xls a link loop", "convert", 1,
       kUnread + "cannot be read (Too many levels of symbolic links)\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setup + " " + c.arguments);
    TempDir dir;
    if (c.setup != "no Price.xls") WriteWithXlwt(dir);
    if (c.setup == "Émeraude.txt a folder") {
      std::filesystem::create_directory(dir / "Émeraude.txt");
    }
    if (c.setup == "Price.xls no sheet") {
      spreadsheet::xls::BookData book = spreadsheet::xls::MakeBlankWorkbook();
      book.sheets.clear();
      spreadsheet::xls::WriteWorkbook(book, (dir / "Price.xls").string());
    }
    if (c.setup == "Price.xls a link loop") {
      std::filesystem::remove(dir / "Price.xls");
      std::filesystem::create_symlink("Price.xls", dir / "Price.xls");
    }
    std::string want = c.err;
    for (std::size_t at; (at = want.find("DIR")) != std::string::npos;) {
      want.replace(at, 3, dir.path().string());
    }
    std::string err;
    EXPECT_EQ(RunCli(dir.path(), c.arguments, nullptr, &err), c.status);
    EXPECT_TRUE(c.whole_err ? err == want : err.starts_with(want)) << err;
    for (const std::string& name : kAll) {
      bool expected = std::find(c.written.begin(), c.written.end(), name) !=
                      c.written.end();
      std::filesystem::path table = dir / (name + ".txt");
      EXPECT_EQ(std::filesystem::is_regular_file(table), expected) << name;
      if (expected) EXPECT_EQ(ReadBytes(table), ExampleBytes()) << name;
    }
    // A run stores the defaults of the options it found unset.
    if (!c.written.empty()) {
      EXPECT_NE(ReadBytes(test::SettingsFile(dir.path())).find("mSpace=12"),
                std::string::npos);
    }
  }
}

// With an older table for every sheet: a run stopped inside Pear, by a
// too-large cell, a failure or Ctrl-C, leaves Round's new table, Pear's older
// one to the byte and Oval 3's untouched (converted after a too-large cell);
// a Pear without an end marker is replaced. No hidden file stays, not even
// the one a killed run left.
TEST(ConvertCommandTest, AStoppedSheetKeepsItsOlderTable) {
  struct Case {
    const char* stop;
    std::string pear;    // Pear.txt after
    bool oval_replaced;  // Oval 3.txt written anew
  } cases[] = {
      {"too large", "older Pear", true},
      {"failure", "older Pear", false},
      {"Ctrl-C", "older Pear", false},
      {"no end marker", "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stop);
    TempDir dir;
    test::Rows pear = test::ExampleSheet();
    const std::string stop = c.stop;
    if (stop == "too large") pear[4][1] = "'A heading too wide";
    if (stop == "failure") pear[2][1] = "'0.3000001";
    if (stop == "no end marker") pear.pop_back();
    if (stop == "Ctrl-C") {  // long enough to be caught at it
      pear.pop_back();
      pear.resize(30000, {"", "1", "2", "3"});
      pear.push_back({"End Price"});
    }
    test::WriteWorkbook(dir / "Price.xls", {{"Round", test::ExampleSheet()},
                                            {"Pear", pear},
                                            {"Oval 3", test::ExampleSheet()}});
    for (const char* name : {"Round", "Pear", "Oval 3"}) {
      test::WriteBytes(dir / (std::string(name) + ".txt"),
                       std::string("older ") + name);
    }
    test::WriteBytes(dir / ".Round.txt.tarnwick-tmp", "left");
    if (stop == "Ctrl-C") {
      // Interrupted once Pear's table is being written; the watcher goes
      // before the program on a busy machine.
      const std::string writing = (dir / ".Pear.txt.tarnwick-tmp").string();
      EXPECT_EQ(test::RunCommand(
                    "XDG_CONFIG_HOME='" + (dir / "config").string() +
                    "' nice -n 19 '" + TARNWICK_CLI + "' --app-folder '" +
                    dir.path().string() +
                    "' convert </dev/null 2>/dev/null & pid=$!; "
                    "while kill -0 $pid 2>/dev/null && [ ! -e '" +
                    writing + "' ]; do :; done; kill -INT $pid; wait $pid"),
                1);
    } else {
      EXPECT_EQ(RunCli(dir.path(), "convert"), 1);
    }
    std::string pear_after = c.pear;
    if (pear_after.empty()) {
      pear_after = ExampleBytes();
      for (int i = 0; i < 25; ++i) pear_after += "\r\n";
    }
    EXPECT_EQ(ReadBytes(dir / "Round.txt"), ExampleBytes());
    EXPECT_EQ(ReadBytes(dir / "Pear.txt"), pear_after);
    EXPECT_EQ(ReadBytes(dir / "Oval 3.txt"),
              c.oval_replaced ? ExampleBytes() : "older Oval 3");
    EXPECT_TRUE(test::HiddenFiles(dir.path()).empty());
  }
}

// Ctrl-C while the first sheet asks about a missing discount workbook, then
// Yes: the conversion stops at that sheet and says so.
TEST(ConvertCommandTest, CtrlCStopsTheConversionAndTellsAtWhichSheet) {
  TempDir dir;
  WriteWithXlwt(dir);
  std::string screen;
  EXPECT_EQ(
      test::RunCliStoppedAtQuestion(dir.path(), "convert --disc 1", &screen),
      1);
  EXPECT_TRUE(screen.ends_with(
      "[Yes/No] y\nYes\nThe conversion was stopped at sheet Round.\n"))
      << screen;
  EXPECT_FALSE(std::filesystem::exists(dir / "Émeraude.txt"));
}

}  // namespace
}  // namespace tarnwick
