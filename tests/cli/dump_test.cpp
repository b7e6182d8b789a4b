#include <gtest/gtest.h>

#include <string>

#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::RunCommand;
using test::TempDir;
using test::WriteBytes;

std::string Dump(const std::filesystem::path& path, int* status,
                 std::string* err = nullptr) {
  std::string out;
  std::string command =
      std::string(TARNWICK_CLI) + " dump '" + path.string() + "'";
  if (err) {
    TempDir dir;
    *status = RunCommand(command + " 2>'" + (dir / "err").string() + "'", &out);
    *err = test::ReadBytes(dir / "err");
  } else {
    *status = RunCommand(command, &out);
  }
  return out;
}

TEST(DumpCommandTest, EveryCellThatHoldsSomethingIsPrintedInRowOrder) {
  TempDir dir;
  test::RunPeer("write_dump_sample.py", {dir / "book.xls"});
  int status = -1;
  std::string out = Dump(dir / "book.xls", &status);
  EXPECT_EQ(status, 0);
  // xlwt stores no result for a formula: it reads as an empty text.
  EXPECT_EQ(out,
            "sheet\t1\tRound\n"
            "1\t1\ts\tPrice\\tlist\\\\ 1\\r\\n\n"
            "1\t2\tn\t0.3\n"
            "1\t3\tn\t1234.5\n"
            "3\t1\tb\tTRUE\n"
            "3\t2\ts\t\n"
            "5\t256\tn\t-7\n"
            "sheet\t2\t\u041e\u0432\u0430\u043b\n");
}

TEST(DumpCommandTest, AFileThatIsNoWorkbookGivesItsReasonAndStatusOne) {
  TempDir dir;
  const struct {
    const char* name;
    std::string bytes;
    const char* reason;
  } cases[] = {
      {"prices.xls", "Round,D,E\r\n0.30,100,90\r\n",
       "prices.xls: this is a text file (perhaps CSV), not an Excel 97-2003 "
       "workbook\n"},
      {"new.xls", std::string("PK\x03\x04\x14\x00", 6) + std::string(40, 'x'),
       "new.xls: the workbook is damaged (its ZIP archive cannot be read: "
       "Broken zip file structure)\n"},
  };
  for (const auto& c : cases) {
    WriteBytes(dir / c.name, c.bytes);
    int status = -1;
    std::string err;
    std::string out = Dump(dir / c.name, &status, &err);
    EXPECT_EQ(status, 1) << c.name;
    EXPECT_EQ(out, "") << c.name;
    EXPECT_EQ(err, (dir / "").string() + c.reason);
  }
  int status = -1;
  std::string err;
  Dump(dir / "missing.xls", &status, &err);
  EXPECT_EQ(status, 1);
  EXPECT_EQ(err,
            (dir / "missing.xls").string() + ": the workbook does not exist\n");
}

}  // namespace
}  // namespace tarnwick
