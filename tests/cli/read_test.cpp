#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "octonus/price_workbooks.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::ExampleSheet;
using testing::RunCommand;
using testing::TempDir;
using testing::WriteBytes;
using testing::WriteWorkbook;

class ReadCommandTest : public ::testing::Test {
 protected:
  // Runs tarnwick-cli read with the test's own settings.
  int Read(std::string* out, std::string* err) {
    std::string base = "XDG_CONFIG_HOME='" + (dir / "config").string() + "' '" +
                       TARNWICK_CLI + "' --app-folder '" + dir.path().string() +
                       "' read </dev/null";
    int status = RunCommand(base + " 2>/dev/null", out);
    RunCommand(base + " 2>&1 >/dev/null", err);
    return status;
  }
  void WritePrice() {
    WriteWorkbook(dir / "Price.xls", {{"Round", ExampleSheet()},
                                      {"Pear", ExampleSheet()},
                                      {"Oval 3", ExampleSheet()}});
  }

  TempDir dir;
};

TEST_F(ReadCommandTest, ListsTheSheetsOneNameALine) {
  WritePrice();
  std::string out, err;
  EXPECT_EQ(Read(&out, &err), 0);
  EXPECT_EQ(out, "Round\nPear\nOval 3\n");
  EXPECT_EQ(err, "");
}

TEST_F(ReadCommandTest, MissingPriceWorkbookIsToldAndListsNothing) {
  std::string out, err;
  EXPECT_EQ(Read(&out, &err), 1);
  EXPECT_EQ(out, "");
  EXPECT_EQ(err, "Price file not exist!!!\n");
}

TEST_F(ReadCommandTest, StoredDiscountLevelChecksItsWorkbooks) {
  WritePrice();
  std::filesystem::create_directories(dir / "config" / "Tarnwick");
  WriteBytes(dir / "config" / "Tarnwick" / "Settings.conf",
             "[General]\nDisc=2\n");
  WriteWorkbook(dir / "Discount1.xls", {{"Round", {}}});
  std::string out, err;
  EXPECT_EQ(Read(&out, &err), 1);
  EXPECT_EQ(out, "Round\nPear\nOval 3\n");
  EXPECT_EQ(err, "Discount-2file not exist!!!\n");
}

}  // namespace
}  // namespace tarnwick
