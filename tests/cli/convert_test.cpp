#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "octonus/price_workbooks.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::ExampleLines;
using testing::ExampleSheet;
using testing::ReadBytes;
using testing::RunCommand;
using testing::TableBytes;
using testing::TempDir;
using testing::WriteBytes;
using testing::WriteWorkbook;

// The example price sheet as another program writes it: numbers as numbers,
// texts as texts, End Price last.
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

class ConvertCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory(dir / "app");
    std::filesystem::create_directory(dir / "config");
  }
  std::filesystem::path App() const { return dir / "app"; }

  void WriteWithXlwt(const std::vector<std::string>& sheets) {
    WriteBytes(dir / "make.py", kXlwtScript);
    std::string command = std::string(TARNWICK_PYTHON) + " '" +
                          (dir / "make.py").string() + "' '" +
                          (App() / "Price.xls").string() + "'";
    for (const std::string& s : sheets) command += " '" + s + "'";
    ASSERT_EQ(RunCommand(command), 0);
  }
  void StoreSettings(const std::string& ini) {
    std::filesystem::create_directories(dir / "config" / "Tarnwick");
    WriteBytes(dir / "config" / "Tarnwick" / "Settings.conf",
               "[General]\n" + ini);
  }
  std::string StoredSettings() const {
    return ReadBytes(dir / "config" / "Tarnwick" / "Settings.conf");
  }
  // Runs tarnwick-cli with the test's own settings; `err` gets stderr.
  int Cli(const std::string& arguments, std::string* err = nullptr) {
    std::string command = "XDG_CONFIG_HOME='" + (dir / "config").string() +
                          "' '" + TARNWICK_CLI + "' --app-folder '" +
                          App().string() + "' " + arguments +
                          " </dev/null 2>&1 >/dev/null";
    std::string output;
    int status = RunCommand(command, &output);
    if (err != nullptr) *err = output;
    return status;
  }

  TempDir dir;
};

TEST_F(ConvertCommandTest, XlwtWorkbookGivesTheCoreBytes) {
  WriteWithXlwt({"Round", "Oval 3"});
  std::string err;
  EXPECT_EQ(Cli("convert", &err), 0) << err;
  EXPECT_EQ(err, "");
  EXPECT_EQ(ReadBytes(App() / "Round.txt"), TableBytes(ExampleLines()));
  EXPECT_EQ(ReadBytes(App() / "Oval 3.txt"), TableBytes(ExampleLines()));
  // The writer's defaults are stored as in the window.
  EXPECT_NE(StoredSettings().find("mSpace=12"), std::string::npos);
}

TEST_F(ConvertCommandTest, GivenOptionsHoldForTheRunAndAreNotStored) {
  WriteWithXlwt({"Round"});
  StoreSettings("mSpace=10\ncRound=0\nrDecimalPoint=0\nDisc=0\n");
  EXPECT_EQ(Cli("convert --space 14 --round 2"), 0);
  std::string bytes = ReadBytes(App() / "Round.txt");
  EXPECT_NE(bytes.find(std::string(14, ' ') + "X1" + std::string(12, ' ')),
            std::string::npos)
      << bytes;
  EXPECT_EQ(StoredSettings(),
            "[General]\nmSpace=10\ncRound=0\nrDecimalPoint=0\nDisc=0\n");

  EXPECT_EQ(Cli("convert"), 0);
  bytes = ReadBytes(App() / "Round.txt");
  EXPECT_NE(bytes.find("R1" + std::string(8, ' ') + "12500     11000"),
            std::string::npos)
      << bytes;
}

TEST_F(ConvertCommandTest, StoredDiscountLevelAppliesWhenNoneIsGiven) {
  WriteWithXlwt({"Round"});
  WriteWorkbook(App() / "Discount1.xls",
                {{"Round", testing::ExampleDiscounts("10")}});
  StoreSettings("Disc=1\n");
  EXPECT_EQ(Cli("convert --disc-format 100%"), 0);
  EXPECT_NE(ReadBytes(App() / "Round.txt").find("R1          11250       9900"),
            std::string::npos);
  EXPECT_EQ(Cli("convert --disc 0"), 0);
  EXPECT_EQ(ReadBytes(App() / "Round.txt"), TableBytes(ExampleLines()));
}

TEST_F(ConvertCommandTest, ExitStatusTellsWhetherTheRunDidAll) {
  struct Case {
    const char* what;
    std::string arguments;
    int status;
    std::string err;
  } cases[] = {
      {"no Price.xls", "convert", 1, "Price file not exist!!!\n"},
      {"unknown option", "convert --fast", 2, ""},
  };
  for (const Case& c : cases) {
    std::string err;
    EXPECT_EQ(Cli(c.arguments, &err), c.status) << c.what << "\n" << err;
    if (!c.err.empty()) {
      EXPECT_EQ(err, c.err) << c.what;
    }
  }
}

TEST_F(ConvertCommandTest, MissingDiscountWorkbookIsAskedAndAnswered) {
  WriteWithXlwt({"Round"});
  std::string err;
  EXPECT_EQ(Cli("--no convert --disc 1", &err), 1);
  EXPECT_EQ(err,
            "Discount-1file not exist!!!\n"
            "Discount-1file not exist!!!\nDo you want to continue?\nNo\n");
  EXPECT_FALSE(std::filesystem::exists(App() / "Round.txt"));

  EXPECT_EQ(Cli("--yes convert --disc 1", &err), 1);
  EXPECT_EQ(ReadBytes(App() / "Round.txt"), TableBytes(ExampleLines()));
}

TEST_F(ConvertCommandTest, SheetOptionPicksSheetsByName) {
  WriteWithXlwt({"Round", "Pear", "Oval 3"});
  EXPECT_EQ(Cli("convert --sheet pear --sheet 'Oval 3'"), 0);
  EXPECT_FALSE(std::filesystem::exists(App() / "Round.txt"));
  EXPECT_TRUE(std::filesystem::exists(App() / "Pear.txt"));
  EXPECT_TRUE(std::filesystem::exists(App() / "Oval 3.txt"));
}

TEST_F(ConvertCommandTest, UnknownSheetNameConvertsNothing) {
  WriteWithXlwt({"Round", "Pear"});
  std::string err;
  EXPECT_EQ(Cli("convert --sheet Pear --sheet Heart", &err), 1);
  EXPECT_EQ(err, "tarnwick-cli: Price.xls has no sheet named \"Heart\"\n");
  EXPECT_FALSE(std::filesystem::exists(App() / "Pear.txt"));
}

TEST_F(ConvertCommandTest, FailureShowsTheMessageWithSheetAndReason) {
  WriteWithXlwt({"Round", "Pear"});
  std::filesystem::create_directory(App() / "Pear.txt");
  std::string err;
  EXPECT_EQ(Cli("convert", &err), 1);
  EXPECT_TRUE(
      err.starts_with("File Not Proper\nPlease Check this file\nSheet Pear: "))
      << err;
  EXPECT_EQ(ReadBytes(App() / "Round.txt"), TableBytes(ExampleLines()));
}

}  // namespace
}  // namespace tarnwick
