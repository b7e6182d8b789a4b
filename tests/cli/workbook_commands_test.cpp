// tarnwick-cli read and convert on a price workbook, and dump on any
// workbook.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/cli_options.h"
#include "octonus/price_workbooks.h"
#include "spreadsheet/xls/blank_workbook.h"
#include "spreadsheet/xls/workbook_writer.h"
#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

namespace fs = std::filesystem;

void WriteWithXlwt(const TempDir& dir) {
  RunPeer("write_example_price.py",
          {dir / "Price.xls", "Round", "Émeraude", "Oval 3"});
}

TEST(ConvertCommandTest, GivenOptionsHoldForTheRunStoredOnesOtherwise) {
  // Stored as QSettings writes them, in name order.
  const std::string kStored = "Disc=1\ncRound=0\nmSpace=10\nrDecimalPoint=0\n";
  // The arguments, and a line of Round.txt with CR LF around it.
  const std::pair<std::string, std::string> cases[] = {
      {"--space 14 --round 2 --disc 0",
       std::string(14, ' ') + "X1" + std::string(12, ' ') + "X2"},
      {"--disc-format 100%", "R1        11250     9900      8820      \r\n"},
      {"--disc 0", "R1        12500     11000     9800      \r\n"},
  };
  TempDir dir;
  WriteWithXlwt(dir);
  WriteWorkbook(dir / "Discount1.xls", {{"Round", ExampleDiscounts("10")}});
  StoreSettings(dir.path(), kStored);
  for (const auto& [arguments, line] : cases) {
    SCOPED_TRACE(arguments);
    EXPECT_EQ(RunCli(dir.path(), "convert --sheet Round " + arguments), 0);
    EXPECT_NE(ReadBytes(dir / "Round.txt").find("\r\n" + line),
              std::string::npos);
    EXPECT_EQ(ReadBytes(SettingsFile(dir.path())), "[General]\n" + kStored);
  }
}

TEST(ReadAndConvertCommandTest, ExitStatusOutputAndMessagesTellWhatItDid) {
  const std::string kAsk =
      "Discount-1file not exist!!!\nDo you want to continue?\n";
  const std::string kNo = "Discount-1file not exist!!!\n" + kAsk + "No\n" +
                          kAsk + "No\n" + kAsk + "No\n";
  const std::string kYes = "Discount-1file not exist!!!\n" + kAsk + "Yes\n" +
                           kAsk + "Yes\n" + kAsk + "Yes\n";
  const std::string kUnread =
      "Price file can not be read: @/Price.xls\n@/Price.xls: the workbook ";
  struct Case {
    std::string setup;  // "" for the xlwt workbook alone
    std::string arguments;
    int status;
    std::string err;
    std::string written = "";  // the tables written, each the example's bytes
    std::string out = "";
  } cases[] = {
      {"", "convert --sheet émeraude --sheet 'Oval 3'", 0, "",
       "Émeraude;Oval 3;"},
      {"", "convert --sheet Émeraude --sheet Heart", 1,
       "tarnwick-cli: Price.xls has no sheet named \"Heart\"\n"},
      {"", "convert --fast", 2,
       "tarnwick-cli: unknown option --fast\n" + cli::UsageText()},
      {"", "--no convert --disc 1", 1, kNo},
      {"", "--yes convert --disc 1", 1, kYes, "Round;Émeraude;Oval 3;"},
      {"no Price.xls", "convert", 1, "Price file not exist!!!\n"},
      {"no sheet", "convert", 1, kUnread + "has no sheet\n"},
      {"a link loop", "convert", 1,
       kUnread + "cannot be read (Too many levels of symbolic links)\n"},
      {"", "--help", 0, "", "", cli::UsageText()},
      {"", "--version", 0, "", "", "tarnwick-cli 1.1.0\n"},
      // read lists the sheets, one name a line, after the checks.
      {"", "read", 0, "", "", "Round\nÉmeraude\nOval 3\n"},
      {"no Price.xls", "read", 1, "Price file not exist!!!\n"},
      {"Disc=2", "read", 1, "Discount-2file not exist!!!\n", "",
       "Round\nÉmeraude\nOval 3\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.setup + " " + c.arguments);
    TempDir dir;
    if (c.setup != "no Price.xls") WriteWithXlwt(dir);
    if (c.setup == "no sheet") {
      spreadsheet::xls::BookData book = spreadsheet::xls::MakeBlankWorkbook();
      book.sheets.clear();
      spreadsheet::xls::WriteWorkbook(book, (dir / "Price.xls").string());
    } else if (c.setup == "a link loop") {
      fs::remove(dir / "Price.xls");
      fs::create_symlink("Price.xls", dir / "Price.xls");
    } else if (c.setup == "Disc=2") {
      WriteWorkbook(dir / "Discount1.xls", {{"Round", {}}});
      StoreSettings(dir.path(), "Disc=2\n");
    }
    std::string want = c.err, out, err, written;
    for (std::size_t at; (at = want.find('@')) != std::string::npos;) {
      want.replace(at, 1, dir.path().string());
    }
    EXPECT_EQ(RunCli(dir.path(), c.arguments, &out, &err), c.status);
    EXPECT_EQ(err, want);
    EXPECT_EQ(out, c.out);
    for (const std::string name : {"Round", "Émeraude", "Oval 3"}) {
      fs::path table = dir / (name + ".txt");
      if (fs::is_regular_file(table)) {
        written += name + (ReadBytes(table) == ExampleBytes() ? ";" : "?;");
      }
    }
    EXPECT_EQ(written, c.written);
    // A run stores the defaults of the options it found unset.
    if (!c.written.empty()) {
      EXPECT_NE(ReadBytes(SettingsFile(dir.path())).find("mSpace=12"),
                std::string::npos);
    }
  }
}

// The demo workbook and its two discount workbooks, saved again as .xlsx
// or .ods, convert to the very bytes the .xls workbooks give: a table for
// each of the demo's three sheets.
TEST(ConvertCommandTest, XlsxAndOdsWorkbooksGiveTheTablesOfTheXlsOnes) {
  TempDir dir;
  const std::pair<std::string, const char*> books[] = {
      {"Price", ".xlsx"}, {"Discount1", ".ods"}, {"Discount2", ".xlsx"}};
  for (const std::string folder : {"xls", "mixed"}) {
    fs::create_directories(dir / folder);
    for (const auto& [book, extension] : books) {
      fs::path from = fs::path(TARNWICK_APP_DIR) / (book + ".xls");
      if (folder == "xls") {
        fs::copy_file(from, dir / folder / from.filename());
      } else {
        RunPeer("resave_workbook.py",
                {from, dir / folder / (book + extension)});
      }
    }
    StoreSettings(dir / folder, "mSpace=12\ncRound=1\nrDecimalPoint=2\n");
    std::string err;
    EXPECT_EQ(RunCli(dir / folder, "convert --disc 2", nullptr, &err), 0)
        << folder << ": " << err;
  }
  for (const std::string name : {"Round", "Pear", "Oval 3"}) {
    const std::string table = ReadBytes(dir / "xls" / (name + ".txt"));
    EXPECT_NE(table, "") << name;
    EXPECT_EQ(ReadBytes(dir / "mixed" / (name + ".txt")), table) << name;
  }
}

// Ctrl-C while the first sheet asks about a missing discount workbook, then
// Yes: the conversion stops at that sheet and says so.
TEST(ConvertCommandTest, CtrlCStopsTheConversionAndTellsAtWhichSheet) {
  TempDir dir;
  WriteWithXlwt(dir);
  std::string screen;
  EXPECT_EQ(RunCliStoppedAtQuestion(dir.path(), "convert --disc 1", &screen),
            1);
  EXPECT_TRUE(screen.ends_with(
      "[Yes/No] y\nYes\nThe conversion was stopped at sheet Round.\n"))
      << screen;
  EXPECT_FALSE(fs::exists(dir / "Émeraude.txt"));
}

// dump reads nothing of the application folder RunCli names.
TEST(DumpCommandTest, PrintsEveryCellThatHoldsSomethingOrWhyItCannot) {
  TempDir dir;
  RunPeer("write_dump_sample.py", {dir / "book.xls"});
  std::string out, err;
  auto dump = [&](const char* name) {
    return RunCli(dir.path(), "dump '" + (dir / name).string() + "'", &out,
                  &err);
  };
  EXPECT_EQ(dump("book.xls"), 0);
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
  EXPECT_EQ(err, "");
  // The reason a library gives comes after Tarnwick's own.
  WriteBytes(dir / "new.xls",
             std::string("PK\x03\x04\x14\x00", 6) + std::string(40, 'x'));
  for (const auto& [name, reason] :
       {std::pair{"missing.xls", "the workbook does not exist"},
        {"new.xls",
         "the workbook is damaged (its ZIP archive cannot be read: Broken zip "
         "file structure)"}}) {
    EXPECT_EQ(dump(name), 1);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, (dir / name).string() + ": " + reason + "\n");
  }
}

}  // namespace
}  // namespace tarnwick::test
