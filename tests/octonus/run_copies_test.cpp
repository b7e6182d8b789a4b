#include "octonus/run_copies.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "octonus/price_workbooks.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using testing::ExampleSheet;
using testing::TempDir;
using testing::WriteWorkbook;

TEST(RunCopiesTest, SheetsOfOneRunShareACopyUntilItsFileChanges) {
  TempDir dir;
  WriteWorkbook(dir / "Price.xls", {{"Round", ExampleSheet()}});
  WriteWorkbook(dir / "Discount1.xls", {{"Round", {}}});
  spreadsheet::Application app;
  {
    RunCopies copies;
    spreadsheet::Workbook& first = copies.Open(app, dir / "Price.xls");
    EXPECT_EQ(&copies.Open(app, dir / "Price.xls"), &first);
    EXPECT_NE(&copies.Open(app, dir / "Discount1.xls"), &first);
    EXPECT_EQ(copies.OpenCount(), 2);

    // A closed copy is never handed out again.
    first.Close();
    spreadsheet::Workbook& second = copies.Open(app, dir / "Price.xls");
    EXPECT_TRUE(second.IsOpen());
    EXPECT_NE(&second, &first);

    // A file written since is read again.
    WriteWorkbook(dir / "Price.xls", {{"Pear", ExampleSheet()}});
    spreadsheet::Workbook& third = copies.Open(app, dir / "Price.xls");
    EXPECT_NE(&third, &second);
    EXPECT_EQ(third.Sheets().Item(1).Name(), "Pear");
    EXPECT_EQ(copies.OpenCount(), 3);
  }
  // The run is over: nothing of it stays open.
  EXPECT_EQ(app.Workbooks().Count(), 0);
}

}  // namespace
}  // namespace tarnwick
