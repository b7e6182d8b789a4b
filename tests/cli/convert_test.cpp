#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "octonus/price_workbooks.h"
#include "spreadsheet/xls/blank_workbook.h"
#include "spreadsheet/xls/workbook_writer.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::ExampleBytes;
using testing::ReadBytes;
using testing::RunCli;
using testing::TempDir;

// The example price sheet as another program writes it: numbers as numbers,
// texts as texts, End Price last; one sheet for every name given.
constexpr char kXlwtScript[] = R"(
import sys, xlwt
book = xlwt.Workbook()
for name in sys.argv[2:]:
    sheet = book.add_sheet(name)
    rows = [["TABLES:", 1], ["FORMAT:", 3, 2], ["MASS:", 0.3, 0.39],
            ["MAGNIFY:", 1], [None, "X1", "X2", "X3"],
            ["R1", 12500, 11000, 9800], ["R2", 11000, 9900, 8800],
            ["End Price"]]
    for r, row in enumerate(rows):
        for c, value in enumerate(row):
            if value is not None:
                sheet.write(r, c, value)
book.save(sys.argv[1])
)";

void WriteWithXlwt(const TempDir& dir) {
  testing::WriteBytes(dir / "make.py", kXlwtScript);
  ASSERT_EQ(testing::RunCommand(std::string(TARNWICK_PYTHON) + " '" +
                                (dir / "make.py").string() + "' '" +
                                (dir / "Price.xls").string() +
                                "' Round Pear 'Oval 3'"),
            0);
}

TEST(ConvertCommandTest, XlwtWorkbookGivesTheCoreBytesAndStoresTheDefaults) {
  TempDir dir;
  WriteWithXlwt(dir);
  std::string err;
  EXPECT_EQ(RunCli(dir.path(), "convert", nullptr, &err), 0) << err;
  EXPECT_EQ(err, "");
  for (const char* table : {"Round.txt", "Pear.txt", "Oval 3.txt"}) {
    EXPECT_EQ(ReadBytes(dir / table), ExampleBytes()) << table;
  }
  EXPECT_NE(ReadBytes(testing::SettingsFile(dir.path())).find("mSpace=12"),
            std::string::npos);
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
  testing::WriteWorkbook(dir / "Discount1.xls",
                         {{"Round", testing::ExampleDiscounts("10")}});
  testing::StoreSettings(dir.path(), kStored);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments);
    EXPECT_EQ(RunCli(dir.path(), "convert --sheet Round " + c.arguments), 0);
    std::string bytes = ReadBytes(dir / "Round.txt");
    EXPECT_NE(bytes.find("\r\n" + c.line), std::string::npos) << bytes;
    std::string stored = ReadBytes(testing::SettingsFile(dir.path()));
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
      "File Not Proper\nPlease Check this file\nSheet Pear: ";
  const std::vector<std::string> kAll = {"Round", "Pear", "Oval 3"};
  const std::vector<std::string> kTwo = {"Pear", "Oval 3"};
  struct Case {
    std::string setup;  // "" for the xlwt workbook alone
    std::string arguments;
    int status;
    std::string err;
    bool whole_err;  // otherwise `err` is how it starts
    std::vector<std::string> written;
  } cases[] = {
      {"", "convert --sheet pear --sheet 'Oval 3'", 0, "", true, kTwo},
      {"", "convert --sheet Pear --sheet Heart", 1, kHeart, true, {}},
      {"", "convert --fast", 2, "", false, {}},
      {"", "--no convert --disc 1", 1, kNo, true, {}},
      {"", "--yes convert --disc 1", 1, kYes, true, kAll},
      {"no Price.xls", "convert", 1, "Price file not exist!!!\n", true, {}},
      {"Pear.txt a folder", "convert", 1, kNotProper, false, {"Round"}},
      {"Price.xls no sheet",
       "convert",
       1,
       "Price file can not be read: DIR/Price.xls\n"
       "DIR/Price.xls: the workbook has no sheet\n",
       true,
       {}},
      {"Price.xls a link loop",
       "convert",
       1,
       "Price file can not be read: DIR/Price.xls\nDIR/Price.xls: the workbook "
       "cannot be read (Too many levels of symbolic links)\n",
       true,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setup + " " + c.arguments);
    TempDir dir;
    if (c.setup != "no Price.xls") WriteWithXlwt(dir);
    if (c.setup == "Pear.txt a folder") {
      std::filesystem::create_directory(dir / "Pear.txt");
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
  }
}

// Ctrl-C while the first sheet asks about a missing discount workbook, then
// Yes: the conversion stops at that sheet and says so.
TEST(ConvertCommandTest, CtrlCStopsTheConversionAndTellsAtWhichSheet) {
  TempDir dir;
  WriteWithXlwt(dir);
  std::string screen;
  EXPECT_EQ(
      testing::RunCliStoppedAtQuestion(dir.path(), "convert --disc 1", &screen),
      1);
  EXPECT_TRUE(screen.ends_with(
      "[Yes/No] y\nYes\nThe conversion was stopped at sheet Round.\n"))
      << screen;
  EXPECT_FALSE(std::filesystem::exists(dir / "Pear.txt"));
}

// The stored options come through the settings module beside the program;
// a program copied without it says so for the runs that need them and does
// the others as usual.
TEST(ConvertCommandTest,
     AProgramWithoutItsSettingsModuleSaysWhichFileIsMissing) {
  TempDir dir;
  WriteWithXlwt(dir);
  std::filesystem::copy_file(TARNWICK_CLI, dir / "tarnwick-cli");
  const std::string module = (dir / "tarnwick-settings.so").string();
  for (const char* command : {"convert", "read"}) {
    SCOPED_TRACE(command);
    std::string out;
    EXPECT_EQ(testing::RunCommand("'" + (dir / "tarnwick-cli").string() + "' " +
                                      command + " 2>&1",
                                  &out),
              1);
    EXPECT_TRUE(
        out.starts_with(module + ": the settings module cannot be loaded ("))
        << out;
    EXPECT_FALSE(std::filesystem::exists(dir / "Round.txt"));
  }
  std::string out;
  EXPECT_EQ(
      testing::RunCommand("'" + (dir / "tarnwick-cli").string() + "' dump '" +
                              (dir / "Price.xls").string() + "'",
                          &out),
      0);
  EXPECT_NE(out.find("End Price"), std::string::npos) << out;
  // Every value the conversion reads given: the store is never needed.
  EXPECT_EQ(testing::RunCommand("'" + (dir / "tarnwick-cli").string() +
                                "' convert --disc 0 --space 12 --round 2"),
            0);
  EXPECT_NE(
      ReadBytes(dir / "Round.txt")
          .find("\r\nR1          12500       11000       9800        0\r\n"),
      std::string::npos);
}

}  // namespace
}  // namespace tarnwick
