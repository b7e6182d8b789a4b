#include <gtest/gtest.h>

#include <string>

#include "support/run_peer.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::TempDir;

// tarnwick-cli dump on `path`: its exit status, with what it printed.
int Dump(const std::filesystem::path& path, std::string* out,
         std::string* err) {
  TempDir dir;
  int status =
      test::RunCommand(std::string(TARNWICK_CLI) + " dump '" + path.string() +
                           "' 2>'" + (dir / "err").string() + "'",
                       out);
  *err = test::ReadBytes(dir / "err");
  return status;
}

TEST(DumpCommandTest, EveryCellThatHoldsSomethingIsPrintedInRowOrder) {
  TempDir dir;
  test::RunPeer("write_dump_sample.py", {dir / "book.xls"});
  std::string out, err;
  EXPECT_EQ(Dump(dir / "book.xls", &out, &err), 0);
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
    std::string bytes;  // none: the file is missing
    const char* reason;
  } cases[] = {
      {"prices.xls", "Round,D,E\r\n0.30,100,90\r\n",
       ": this is a text file (perhaps CSV), not an Excel 97-2003 workbook\n"},
      {"new.xls", std::string("PK\x03\x04\x14\x00", 6) + std::string(40, 'x'),
       ": the workbook is damaged (its ZIP archive cannot be read: Broken zip "
       "file structure)\n"},
      {"missing.xls", "", ": the workbook does not exist\n"},
  };
  for (const auto& c : cases) {
    if (!c.bytes.empty()) test::WriteBytes(dir / c.name, c.bytes);
    std::string out, err;
    EXPECT_EQ(Dump(dir / c.name, &out, &err), 1) << c.name;
    EXPECT_EQ(out, "") << c.name;
    EXPECT_EQ(err, (dir / c.name).string() + c.reason);
  }
}

}  // namespace
}  // namespace tarnwick
