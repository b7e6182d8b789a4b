// The command line's words and reasons, which scripts rely on.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace tarnwick::cli {
namespace {

// ParseArguments on `line` split at spaces: the usage error's reason, or
// what the line asks for.
std::string Parse(const std::string& line) {
  std::vector<std::string> words = {"tarnwick-cli"};
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  try {
    CliOptions o = ParseArguments(static_cast<int>(argv.size()), argv.data());
    std::ostringstream s;
    s << o.command << "(" << o.operand << ")";
    for (const std::string& sheet : o.sheets) s << " sheet=" << sheet;
    if (o.disc) s << " disc=" << *o.disc;
    if (o.space) s << " space=" << *o.space;
    if (o.answer) s << (*o.answer ? " yes" : " no");
    if (!o.app_folder.empty()) s << " folder=" << o.app_folder.string();
    return s.str() + o.print;
  } catch (const UsageError& e) {
    return e.what();
  }
}

TEST(ParseArgumentsTest, EveryMistakeHasItsOwnReason) {
  const char* const kConvertOnly =
      "--sheet, --disc, --disc-format, --space, --round and --no-round go "
      "with convert only";
  struct Case {
    const char* line;
    std::string reason;
  } cases[] = {
      {"", "no command given"},
      {"--yes", "no command given"},
      {"list", "unknown command list"},
      {"convert --fast", "unknown option --fast"},
      {"convert -f", "unknown option -f"},
      {"read extra", "unexpected argument extra"},
      {"import-csv", "import-csv needs a FOLDER"},
      {"import-dbf a b", "unexpected argument b"},
      {"dump", "dump needs a WORKBOOK"},
      {"--yes --no read", "--yes and --no exclude each other"},
      {"convert --space", "--space needs a value"},
      {"--app-folder", "--app-folder needs a value"},
      {"convert --disc 6", "--disc takes a whole number from 0 to 5"},
      {"convert --space 0", "--space takes a whole number from 1 to 99"},
      {"convert --round 1.5", "--round takes a whole number from 0 to 3"},
      {"convert --disc-format 50%", "--disc-format takes 0.## or 100%"},
      {"read --disc 1", kConvertOnly},
      {"--no-round dump x", kConvertOnly},
      {"convert --round 2 --no-round",
       "--round and --no-round exclude each other"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Parse(c.line), c.reason) << c.line;
  }
}

TEST(ParseArgumentsTest, OptionsGoBeforeOrAfterTheCommand) {
  // The last --disc given holds.
  EXPECT_EQ(Parse("--sheet Pear --yes --disc 1 convert --sheet Oval --disc 2 "
                  "--app-folder /prices --space 12"),
            "convert() sheet=Pear sheet=Oval disc=2 space=12 yes "
            "folder=/prices");
  EXPECT_EQ(Parse("import-dbf /demo/DBF --no"), "import-dbf(/demo/DBF) no");
  EXPECT_TRUE(Parse("read --help").starts_with("()usage: tarnwick-cli"));
  EXPECT_EQ(Parse("--version"), "()tarnwick-cli 1.1.0\n");
}

}  // namespace
}  // namespace tarnwick::cli
