// A pipe where Tarnwick expects a file of any role gets that role's message
// at once; waiting on it would hang the run (CTest's timeout fails it).

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "octonus/price_workbooks.h"
#include "support/app_folder_test.h"

namespace tarnwick {
namespace {

const std::filesystem::path kDemo =
    std::filesystem::path(TARNWICK_APP_DIR) / "Demo";

class NotAFileTest : public test::AppFolderTest {};

TEST_F(NotAFileTest, APipeInEveryRoleIsRefusedAtOnce) {
  // "@" stands for the application folder, "DEMO" for the demo folder.
  struct Case {
    std::string pipe;  // in the application folder
    std::string command;
    std::string err;
  } cases[] = {
      {"Price.xls", "convert",
       "Price file can not be read: @/Price.xls\n@/Price.xls: not a workbook "
       "file\n"},
      {"Discount1.xls", "convert --disc 1",
       "File Not Proper\nPlease Check this file\nSheet Round: "
       "@/Discount1.xls: not a workbook file\n"},
      {"System/DBFTemplate.xls", "import-dbf DEMO/DBF",
       "The DBF template could not be read. Price.xls was not written.\n"
       "@/System/DBFTemplate.xls: not a workbook file\n"},
      {"Sample/Sample.xls", "import-csv DEMO/CSV",
       "@/Sample/Sample.xls: cannot be read (not a regular file)\nPrice.xls "
       "was not written.\n"},
      {"System/Color.txt", "import-csv DEMO/CSV",
       "Standard Color file not exist\n"},
      {"dbf/ROUND.DBF", "import-dbf @/dbf", "There is no file to read...\n"},
      {"csv/Round.csv", "import-csv @/csv", "There is no file to read...\n"},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.pipe);
    std::filesystem::remove_all(app());
    CopyFromBuiltApp("System");
    CopyFromBuiltApp("Sample");
    test::WriteExamplePrice(app());
    std::filesystem::create_directories(app() / "dbf");
    std::filesystem::create_directories(app() / "csv");
    std::filesystem::remove(app() / c.pipe);
    ASSERT_EQ(
        std::system(("mkfifo '" + (app() / c.pipe).string() + "'").c_str()), 0);
    const std::pair<std::string, std::string> names[] = {
        {"@", app().string()}, {"DEMO", kDemo.string()}};
    for (std::string* text : {&c.command, &c.err}) {
      for (const auto& [from, to] : names) {
        for (std::size_t at; (at = text->find(from)) != std::string::npos;)
          text->replace(at, from.size(), to);
      }
    }
    std::string err;
    EXPECT_EQ(Cli(c.command, &err), 1);
    EXPECT_EQ(err, c.err);
  }
}

}  // namespace
}  // namespace tarnwick
