// tarnwick-make-workbook, which makes the demo workbooks at build time,
// checked through xlrd.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

const std::filesystem::path kMakeWorkbook =
    std::filesystem::path(TARNWICK_APP_DIR).parent_path() / "data" /
    "tarnwick-make-workbook";

class MakeWorkbookTest : public ::testing::Test {
 protected:
  // The tests' build makes it, with the demo workbooks.
  void SetUp() override { ASSERT_TRUE(std::filesystem::exists(kMakeWorkbook)); }
  int Make(const std::string& source, std::string* err) {
    WriteBytes(dir / "in.sheets", source);
    return RunCommand("'" + kMakeWorkbook.string() + "' '" +
                          (dir / "in.sheets").string() + "' '" +
                          (dir / "out.xls").string() + "' 2>&1 >/dev/null",
                      err);
  }

  TempDir dir;
};

TEST_F(MakeWorkbookTest, CellsAreTypedAsIntoAGeneralCell) {
  std::string err;
  ASSERT_EQ(Make("# a demo\n\n[Round]\r\nTables:\t4\n\n"
                 "MASS:\t0.30\t'0.39\n\t-1.5e2\t 7 \t12 ct\t\t'\n"
                 "[Oval 3]\nEnd Price\n",
                 &err),
            0)
      << err;
  EXPECT_EQ(RunPeer("xlrd_cells.py", {dir / "out.xls"}),
            "[Round]\n"
            "1,1=1:'Tables:'\n1,2=2:4.0\n"
            "3,1=1:'MASS:'\n3,2=2:0.3\n3,3=1:'0.39'\n"
            "4,2=2:-150.0\n4,3=2:7.0\n4,4=1:'12 ct'\n4,6=1:''\n"
            "[Oval 3]\n"
            "1,1=1:'End Price'\n");
}

TEST_F(MakeWorkbookTest, FaultsNameTheLineAndWriteNothing) {
  struct Case {
    std::string source;
    std::string err_start;
  } cases[] = {
      {"# no sheet\nTables:\t1\n", "tarnwick-make-workbook: in.sheets:2: "},
      {"[Round]\n[round]\n", "tarnwick-make-workbook: in.sheets:2: "},
      {"[a/b]\n", "tarnwick-make-workbook: in.sheets:1: "},
      {"# only a comment\n", "tarnwick-make-workbook: in.sheets: "},
  };
  for (const Case& c : cases) {
    std::string err;
    EXPECT_EQ(Make(c.source, &err), 1) << c.source;
    EXPECT_TRUE(err.find(c.err_start) != std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(dir / "out.xls"));
  }
}

}  // namespace
}  // namespace tarnwick::test
