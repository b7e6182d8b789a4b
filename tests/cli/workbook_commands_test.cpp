// tarnwick-cli read and convert on a price workbook, and dump on any
// workbook.

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
      if (expected) {
        EXPECT_EQ(ReadBytes(table), ExampleBytes()) << name;
      }
    }
    // A run stores the defaults of the options it found unset.
    if (!c.written.empty()) {
      EXPECT_NE(ReadBytes(test::SettingsFile(dir.path())).find("mSpace=12"),
                std::string::npos);
    }
  }
}

// The demo workbook and its two discount workbooks, saved again as .xlsx
// or .ods, convert to the very bytes the .xls workbooks give.
TEST(ConvertCommandTest, XlsxAndOdsWorkbooksGiveTheTablesOfTheXlsOnes) {
  TempDir dir;
  for (const char* folder : {"xls", "mixed"}) {
    std::filesystem::create_directories(dir / folder);
    const char* mixed[] = {".xlsx", ".ods", ".xlsx"};
    int i = 0;
    for (const std::string book : {"Price", "Discount1", "Discount2"}) {
      std::filesystem::path from =
          std::filesystem::path(TARNWICK_APP_DIR) / (book + ".xls");
      if (folder == std::string("xls")) {
        std::filesystem::copy_file(from, dir / folder / from.filename());
      } else {
        test::RunPeer("resave_workbook.py",
                      {from, dir / folder / (book + mixed[i++])});
      }
    }
    test::StoreSettings(dir / folder, "mSpace=12\ncRound=1\nrDecimalPoint=2\n");
    std::string err;
    EXPECT_EQ(RunCli(dir / folder, "convert --disc 2", nullptr, &err), 0)
        << folder << ": " << err;
  }
  int tables = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir / "xls")) {
    if (entry.path().extension() != ".txt") continue;
    ++tables;
    std::string bytes = ReadBytes(entry.path());
    EXPECT_TRUE(bytes.starts_with("Tables: ") && bytes.ends_with("\r\n"));
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);
    EXPECT_EQ(ReadBytes(dir / "mixed" / entry.path().filename()), bytes)
        << entry.path().filename();
  }
  EXPECT_EQ(tables, 3);
  // D/IF of the first Round table: 3410 x 0.95 x 0.98.
  EXPECT_NE(
      ReadBytes(dir / "xls" / "Round.txt").find("\r\nD           3174.71 "),
      std::string::npos);
}

// With an older table for every sheet: a run stopped by Ctrl-C inside Pear
// leaves Round's new table, Pear's older one to the byte and Oval 3's
// untouched; a Pear without an end marker is replaced. No hidden file stays,
// not even the one a killed run left.
TEST(ConvertCommandTest, AStoppedSheetKeepsItsOlderTable) {
  for (bool ctrl_c : {true, false}) {
    SCOPED_TRACE(ctrl_c ? "Ctrl-C" : "no end marker");
    TempDir dir;
    test::Rows pear = test::ExampleSheet();
    pear.pop_back();
    if (ctrl_c) {  // long enough to be caught at it
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
    if (ctrl_c) {
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
    std::string pear_after = ExampleBytes();
    for (int i = 0; i < 25; ++i) pear_after += "\r\n";
    EXPECT_EQ(ReadBytes(dir / "Round.txt"), ExampleBytes());
    EXPECT_EQ(ReadBytes(dir / "Pear.txt"), ctrl_c ? "older Pear" : pear_after);
    EXPECT_EQ(ReadBytes(dir / "Oval 3.txt"),
              ctrl_c ? "older Oval 3" : ExampleBytes());
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

TEST(ReadCommandTest, ListsTheSheetsOneNameALineAfterTheChecks) {
  const std::string kNames = "Round\nPear\nOval 3\n";
  struct Case {
    const char* what;
    bool price;
    const char* settings;
    int status;
    std::string out;
    std::string err;
  } cases[] = {
      {"price workbook", true, "", 0, kNames, ""},
      {"no price workbook", false, "", 1, "", "Price file not exist!!!\n"},
      {"stored level without its workbook", true, "Disc=2\n", 1, kNames,
       "Discount-2file not exist!!!\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    if (c.price) test::WriteExamplePrice(dir.path());
    test::WriteWorkbook(dir / "Discount1.xls", {{"Round", {}}});
    test::StoreSettings(dir.path(), c.settings);
    std::string out, err;
    EXPECT_EQ(test::RunCli(dir.path(), "read", &out, &err), c.status);
    EXPECT_EQ(out, c.out);
    EXPECT_EQ(err, c.err);
  }
}

// tarnwick-cli dump on `path`: its exit status, with what it printed. dump
// reads nothing of the application folder RunCli names.
int Dump(const TempDir& dir, const std::string& name, std::string* out,
         std::string* err) {
  return test::RunCli(dir.path(), "dump '" + (dir / name).string() + "'", out,
                      err);
}

TEST(DumpCommandTest, EveryCellThatHoldsSomethingIsPrintedInRowOrder) {
  TempDir dir;
  test::RunPeer("write_dump_sample.py", {dir / "book.xls"});
  std::string out, err;
  EXPECT_EQ(Dump(dir, "book.xls", &out, &err), 0);
  // xlwt stores no result for a formula: it reads as an empty text.
  EXPECT_EQ(out,
            "sheet\t1\tRound\n"
            "1\t1\ts\tPrice\\tlist\\\\ 1\\r\\n\n"
            "1\t2\tn\t0.3\n"
            "1\t3\tn\t1234.5\n"
            "3\t1\tb\tTRUE\n"
            "3\t2\ts\t\n"
            "5\t256\tn\t-7\n"
            "sheet\t2\t\u041e\u0432\u0430\u043b\n");
}

TEST(DumpCommandTest, AFileThatIsNoWorkbookGivesItsReasonAndStatusOne) {
  TempDir dir;
  const struct {
    const char* name;
    std::string bytes;  // none: the file is missing
    const char* reason;
  } cases[] = {
      {"prices.xls", "Round,D,E\r\n0.30,100,90\r\n",
       ": this is a text file (perhaps CSV), not an Excel 97-2003 workbook\n"},
      {"new.xls", std::string("PK\x03\x04\x14\x00", 6) + std::string(40, 'x'),
       ": the workbook is damaged (its ZIP archive cannot be read: Broken zip "
       "file structure)\n"},
      {"missing.xls", "", ": the workbook does not exist\n"},
  };
  for (const auto& c : cases) {
    if (!c.bytes.empty()) test::WriteBytes(dir / c.name, c.bytes);
    std::string out, err;
    EXPECT_EQ(Dump(dir, c.name, &out, &err), 1) << c.name;
    EXPECT_EQ(out, "") << c.name;
    EXPECT_EQ(err, (dir / c.name).string() + c.reason);
  }
}

}  // namespace
}  // namespace tarnwick
