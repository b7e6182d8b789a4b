#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "octonus/price_workbooks.h"
#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::ReadBytes;

// The demo workbook and its two discount workbooks convert with both
// levels, and saved again as .xlsx or .ods to the very bytes the .xls
// workbooks give, in any mix.
TEST(ConvertFormatsTest, XlsxAndOdsWorkbooksGiveTheTablesOfTheXlsOnes) {
  const std::filesystem::path demo = TARNWICK_APP_DIR;
  const struct {
    const char* folder;
    const char* extensions[3];  // of Price, Discount1, Discount2
  } kFolders[] = {
      {"xls", {".xls", ".xls", ".xls"}},
      {"xlsx", {".xlsx", ".xlsx", ".xlsx"}},
      {"ods", {".ods", ".ods", ".ods"}},
      {"mixed", {".xlsx", ".xls", ".ods"}},
  };
  test::TempDir dir;
  for (const auto& f : kFolders) {
    std::filesystem::create_directories(dir / f.folder);
    int i = 0;
    for (const std::string book : {"Price", "Discount1", "Discount2"}) {
      std::filesystem::path from = demo / (book + ".xls");
      std::filesystem::path to = dir / f.folder / (book + f.extensions[i++]);
      if (to.extension() == ".xls") {
        std::filesystem::copy_file(from, to);
      } else {
        test::RunPeer("resave_workbook.py", {from, to});
      }
    }
    test::StoreSettings(dir / f.folder,
                        "mSpace=12\ncRound=1\nrDecimalPoint=2\n");
    std::string err;
    EXPECT_EQ(test::RunCli(dir / f.folder, "convert --disc 2", nullptr, &err),
              0)
        << f.folder << ": " << err;
  }
  int tables = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir / "xls")) {
    if (entry.path().extension() != ".txt") continue;
    ++tables;
    std::string bytes = ReadBytes(entry.path());
    EXPECT_TRUE(bytes.starts_with("Tables: ") && bytes.ends_with("\r\n"));
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);
    for (const char* folder : {"xlsx", "ods", "mixed"}) {
      EXPECT_EQ(ReadBytes(dir / folder / entry.path().filename()),
                ReadBytes(entry.path()))
          << folder << "/" << entry.path().filename();
    }
  }
  EXPECT_EQ(tables, 3);
  // D/IF of the first Round table: 3410 x 0.95 x 0.98.
  EXPECT_NE(
      ReadBytes(dir / "xls" / "Round.txt").find("\r\nD           3174.71 "),
      std::string::npos);
}

}  // namespace
}  // namespace tarnwick
