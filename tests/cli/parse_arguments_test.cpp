// The command line's words and reasons, which scripts rely on.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace tarnwick::cli {
namespace {

// ParseArguments on `line` split at spaces; the usage error's reason, or ""
// when the line parses.
std::string ReasonFor(const std::string& line, CliOptions* options = nullptr) {
  std::vector<std::string> words = {"tarnwick-cli"};
  std::istringstream in(line);
  for (std::string word; in >> word;) words.push_back(word);
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  try {
    CliOptions parsed =
        ParseArguments(static_cast<int>(argv.size()), argv.data());
    if (options != nullptr) *options = parsed;
    return "";
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
    EXPECT_EQ(ReasonFor(c.line), c.reason) << c.line;
  }
}

TEST(ParseArgumentsTest, OptionsGoBeforeOrAfterTheCommand) {
  CliOptions o;
  ASSERT_EQ(ReasonFor("--sheet Pear --yes --disc 1 convert --sheet Oval "
                      "--disc 2 --app-folder /prices --space 12",
                      &o),
            "");
  EXPECT_EQ(o.command, "convert");
  EXPECT_EQ(o.sheets, (std::vector<std::string>{"Pear", "Oval"}));
  EXPECT_EQ(o.disc, 2);  // the last one given
  EXPECT_EQ(o.space, 12);
  EXPECT_EQ(o.answer, true);
  EXPECT_EQ(o.app_folder, "/prices");
  ASSERT_EQ(ReasonFor("import-dbf /demo/DBF --no", &o), "");
  EXPECT_EQ(o.operand, "/demo/DBF");
  EXPECT_EQ(o.answer, false);
  ASSERT_EQ(ReasonFor("read --help", &o), "");
  EXPECT_TRUE(o.print.starts_with("usage: tarnwick-cli")) << o.print;
  ASSERT_EQ(ReasonFor("--version", &o), "");
  EXPECT_EQ(o.print, "tarnwick-cli 1.1.0\n");
}

}  // namespace
}  // namespace tarnwick::cli
