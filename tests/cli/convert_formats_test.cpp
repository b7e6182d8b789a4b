#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "octonus/price_workbooks.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::ReadBytes;
using test::RunCli;
using test::RunCommand;
using test::TempDir;

// The demo workbook and its two discount workbooks saved again as .xlsx or
// .ods convert to the very bytes the .xls workbooks give, in any mix.
TEST(ConvertFormatsTest, XlsxAndOdsWorkbooksGiveTheTablesOfTheXlsOnes) {
  const std::filesystem::path demo = TARNWICK_APP_DIR;
  const char* kBooks[] = {"Price", "Discount1", "Discount2"};
  const struct {
    const char* folder;
    const char* extensions[3];  // of Price, Discount1, Discount2
  } kFolders[] = {
      {"xls", {".xls", ".xls", ".xls"}},
      {"xlsx", {".xlsx", ".xlsx", ".xlsx"}},
      {"ods", {".ods", ".ods", ".ods"}},
      {"mixed", {".xlsx", ".xls", ".ods"}},
  };
  TempDir dir;
  for (const auto& f : kFolders) {
    std::filesystem::create_directories(dir / f.folder);
    for (int i = 0; i < 3; ++i) {
      std::filesystem::path from = demo / (std::string(kBooks[i]) + ".xls");
      std::filesystem::path to =
          dir / f.folder / (std::string(kBooks[i]) + f.extensions[i]);
      if (to.extension() == ".xls") {
        std::filesystem::copy_file(from, to);
      } else {
        ASSERT_EQ(RunCommand(std::string(TARNWICK_PYTHON) + " '" +
                             TARNWICK_SOURCE_DIR +
                             "/tests/peers/resave_workbook.py' '" +
                             from.string() + "' '" + to.string() + "'"),
                  0);
      }
    }
    test::StoreSettings(dir / f.folder,
                           "mSpace=12\ncRound=1\nrDecimalPoint=2\n");
    std::string err;
    EXPECT_EQ(RunCli(dir / f.folder, "convert --disc 2", nullptr, &err), 0)
        << f.folder << ": " << err;
  }
  int tables = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir / "xls")) {
    if (entry.path().extension() != ".txt") continue;
    ++tables;
    for (const char* folder : {"xlsx", "ods", "mixed"}) {
      EXPECT_EQ(ReadBytes(dir / folder / entry.path().filename().string()),
                ReadBytes(entry.path()))
          << folder << "/" << entry.path().filename();
    }
  }
  EXPECT_GT(tables, 0);
}

}  // namespace
}  // namespace tarnwick
