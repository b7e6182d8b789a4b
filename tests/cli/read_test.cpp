#include <gtest/gtest.h>

#include <string>

#include "octonus/price_workbooks.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::TempDir;

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

}  // namespace
}  // namespace tarnwick
