#include "octonus/table_file.h"

#include <gtest/gtest.h>

#include <string>

#include "core/error.h"
#include "import/error_of.h"
#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

// A crafted workbook can carry sheet names no spreadsheet program lets a
// person type; none may write outside the folder or over another file,
// while an unusual but plain name still makes its table.
TEST(TableFileTest, ASheetNameThatIsNoPlainFileNameWritesNothing) {
  using namespace std::string_literals;
  const std::string kRefused = "the sheet's name cannot name a table file (";
  const std::string kSeparator = "the name holds a path separator";
  const struct {
    std::string name;
    std::string why;  // empty: the table is made
  } cases[] = {
      {"../x", kSeparator},
      {"/abs/x", kSeparator},
      {"System/Color", kSeparator},
      {"Price.xls\0x"s, "the name holds a control character"},
      {"Oval \u00E9.1.5 ct", ""},
  };
  for (const auto& c : cases) {
    TempDir dir;
    std::filesystem::create_directories(dir / "app" / "System");
    WriteBytes(dir / "app" / "System" / "Color.txt", "D\r\n");
    std::string error = ErrorOf([&] {
      octonus::TableFile table(dir / "app", c.name);
      table.writer().WriteLine("R1");
      table.Commit();
    });
    EXPECT_EQ(error, c.why.empty() ? "no error" : kRefused + c.why + ")");
    EXPECT_EQ(FileNames(dir.path()), std::vector<std::string>{"app"});
    EXPECT_EQ(FileNames(dir / "app").size(), c.why.empty() ? 2u : 1u);
    EXPECT_EQ(ReadBytes(dir / "app" / "System" / "Color.txt"), "D\r\n");
    if (c.why.empty()) {
      EXPECT_EQ(ReadBytes(dir / "app" / (c.name + ".txt")), "R1\r\n");
    }
  }
}

}  // namespace
}  // namespace tarnwick::test
