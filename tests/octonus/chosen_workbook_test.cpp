#include "octonus/chosen_workbook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

TEST(ChosenWorkbookTest, XlsWinsThenXlsxThenOds) {
  const struct {
    std::vector<std::string> present;
    const char* chosen;
  } cases[] = {
      {{"Price.xls", "Price.xlsx", "Price.ods"}, "Price.xls"},
      {{"Price.xlsx", "Price.ods"}, "Price.xlsx"},
      {{"Price.ods", "Discount1.xlsx"}, "Price.ods"},
      {{"Discount1.xls", "Price.xlsx.ods"}, "Price.xls"},  // none: the .xls
  };
  for (const auto& c : cases) {
    TempDir dir;
    for (const std::string& name : c.present) WriteBytes(dir / name, "");
    EXPECT_EQ(octonus::ChosenWorkbook(dir.path(), "Price.xls"), dir / c.chosen)
        << c.present.front();
  }
}

}  // namespace
}  // namespace tarnwick::test
