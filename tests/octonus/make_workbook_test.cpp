// tarnwick-make-workbook, which makes the demo workbooks at build time,
// checked through xlrd.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

TEST(MakeWorkbookTest, CellsAreTypedAsIntoAGeneralCellAndFaultsNameTheLine) {
  // The tests' build makes it, with the demo workbooks.
  const std::filesystem::path kMakeWorkbook =
      std::filesystem::path(TARNWICK_APP_DIR).parent_path() / "data" /
      "tarnwick-make-workbook";
  struct Case {
    std::string source;
    // The cells, or how the fault is told: its place, with no workbook made.
    std::string told;
  } cases[] = {
      {"# a demo\n\n[Round]\r\nTables:\t4\n\n"
       "MASS:\t0.30\t'0.39\n\t-1.5e2\t 7 \t12 ct\t\t'\n[Oval 3]\nEnd Price\n",
       "[Round]\n1,1=1:'Tables:'\n1,2=2:4.0\n3,1=1:'MASS:'\n3,2=2:0.3\n"
       "3,3=1:'0.39'\n4,2=2:-150.0\n4,3=2:7.0\n4,4=1:'12 ct'\n4,6=1:''\n"
       "[Oval 3]\n1,1=1:'End Price'\n"},
      {"# no sheet\nTables:\t1\n", "in.sheets:2: "},
      {"[Round]\n[round]\n", "in.sheets:2: "},
      {"[a/b]\n", "in.sheets:1: "},
      {"# only a comment\n", "in.sheets: "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    TempDir dir;
    WriteBytes(dir / "in.sheets", c.source);
    std::string err;
    int status = RunCommand("cd '" + dir.path().string() + "' && '" +
                                kMakeWorkbook.string() +
                                "' in.sheets out.xls 2>&1 >/dev/null",
                            &err);
    if (status == 0) {
      EXPECT_EQ(RunPeer("xlrd_cells.py", {dir / "out.xls"}), c.told);
    } else {
      EXPECT_EQ(status, 1);
      EXPECT_TRUE(err.starts_with("tarnwick-make-workbook: " + c.told)) << err;
      EXPECT_FALSE(std::filesystem::exists(dir / "out.xls"));
    }
  }
}

}  // namespace
}  // namespace tarnwick::test
