#include <CLI/CLI.hpp>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include "cli/cli_options.h"
#include "core/number_rules.h"
#include "core/platform.h"

namespace tarnwick::cli {
namespace {

std::filesystem::path ProgramFolder(const char* argv0) {
  std::filesystem::path exe = platform::ProgramPath();
  std::error_code ec;
  if (exe.empty()) exe = std::filesystem::absolute(argv0, ec);
  return exe.parent_path();
}

int WholeNumber(std::string_view option, std::string_view text, int low,
                int high) {
  std::optional<double> n = ParseWholeNumber(text);
  if (!n || *n != static_cast<int>(*n) || *n < low || *n > high) {
    throw UsageError(std::string(option) + " takes a whole number from " +
                     std::to_string(low) + " to " + std::to_string(high));
  }
  return static_cast<int>(*n);
}

bool IsCommand(std::string_view s) {
  return s == "read" || s == "convert" || s == "import-csv" ||
         s == "import-dbf" || s == "dump";
}

bool TakesOperand(std::string_view command) {
  return command == "import-csv" || command == "import-dbf" ||
         command == "dump";
}

// The options as CLI11 hands them over: texts, checked and turned into
// CliOptions afterwards so that every reason keeps its own words.
struct Given {
  std::string app_folder;
  int yes = 0;
  int no = 0;
  std::vector<std::string> sheets;
  std::string disc, disc_format, space, round;
  int no_round = 0;
  std::vector<std::string> words;  // the command and its operand
};

// Options may come before or after the command, as they always have, so the
// command is a plain word rather than a CLI11 subcommand.
void Declare(CLI::App& app, Given& given) {
  app.allow_extras();
  app.set_help_flag("-h,--help");
  app.set_version_flag("--version", TarnwickCliVersion());
  // A repeated option keeps its last value; --sheet keeps each.
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  app.add_option("--app-folder", given.app_folder);
  app.add_flag("--yes", given.yes);
  app.add_flag("--no", given.no);
  app.add_option("--sheet", given.sheets)->allow_extra_args(false)->take_all();
  app.add_option("--disc", given.disc);
  app.add_option("--disc-format", given.disc_format);
  app.add_option("--space", given.space);
  app.add_option("--round", given.round);
  app.add_flag("--no-round", given.no_round);
  app.add_option("words", given.words);
}

CliOptions Check(const CLI::App& app, const Given& given) {
  CliOptions o;
  for (const std::string& extra : app.remaining()) {
    if (extra.starts_with("-")) throw UsageError("unknown option " + extra);
  }
  if (given.yes > 0 && given.no > 0) {
    throw UsageError("--yes and --no exclude each other");
  }
  if (given.yes > 0 || given.no > 0) o.answer = given.yes > 0;

  auto words = given.words.begin();
  if (words == given.words.end()) throw UsageError("no command given");
  if (!IsCommand(*words)) throw UsageError("unknown command " + *words);
  o.command = *words++;
  if (words != given.words.end() && TakesOperand(o.command)) {
    o.operand = *words++;
  }
  if (words != given.words.end()) {
    throw UsageError("unexpected argument " + *words);
  }
  if (o.operand.empty() && TakesOperand(o.command)) {
    throw UsageError(o.command + " needs " +
                     (o.command == "dump" ? "a WORKBOOK" : "a FOLDER"));
  }

  o.sheets = given.sheets;
  if (app.count("--disc")) o.disc = WholeNumber("--disc", given.disc, 0, 5);
  if (app.count("--disc-format")) {
    if (given.disc_format != "0.##" && given.disc_format != "100%") {
      throw UsageError("--disc-format takes 0.## or 100%");
    }
    o.disc_format = given.disc_format == "0.##" ? 0 : 1;
  }
  if (app.count("--space"))
    o.space = WholeNumber("--space", given.space, 1, 99);
  if (app.count("--round")) {
    o.round_digits = WholeNumber("--round", given.round, 0, 3);
  }
  o.no_round = given.no_round > 0;
  const bool convert_option = !o.sheets.empty() || o.disc || o.disc_format ||
                              o.space || o.round_digits || o.no_round;
  if (convert_option && o.command != "convert") {
    throw UsageError(
        "--sheet, --disc, --disc-format, --space, --round and "
        "--no-round go with convert only");
  }
  if (o.round_digits.has_value() && o.no_round) {
    throw UsageError("--round and --no-round exclude each other");
  }
  o.app_folder = given.app_folder;
  return o;
}

// Options that only ask for a text to be printed (help, version).
CliOptions PrintOnly(std::string text) {
  CliOptions options;
  options.print = std::move(text);
  return options;
}

}  // namespace

std::string TarnwickCliVersion() { return "tarnwick-cli " TARNWICK_VERSION; }

std::string UsageText() {
  return "usage: tarnwick-cli [--app-folder DIR] [--yes|--no] COMMAND\n"
         "  read                 list the sheets of Price.xls\n"
         "  convert [--sheet NAME]... [--disc N] [--disc-format 0.##|100%]\n"
         "          [--space W] [--round D | --no-round]\n"
         "                       write the Octonus price tables\n"
         "  import-csv FOLDER    build Price.xls from the CSV price lists\n"
         "  import-dbf FOLDER    build Price.xls from the five DBF tables\n"
         "  dump WORKBOOK        print the cells of a workbook\n"
         "  --help               print this text\n"
         "  --version            print the program's version\n";
}

CliOptions ParseArguments(int argc, char** argv) {
  CLI::App app("tarnwick-cli", "tarnwick-cli");
  Given given;
  Declare(app, given);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return PrintOnly(UsageText());
  } catch (const CLI::CallForVersion&) {
    return PrintOnly(TarnwickCliVersion() + "\n");
  } catch (const CLI::ArgumentMismatch& e) {
    // CLI11 names the option before a colon: "--space: 1 required ...".
    const std::string what = e.what();
    throw UsageError(what.substr(0, what.find(':')) + " needs a value");
  } catch (const CLI::ParseError& e) {
    throw UsageError(e.what());
  }
  CliOptions o = Check(app, given);
  o.program_folder = ProgramFolder(argv[0]);
  return o;
}

}  // namespace tarnwick::cli
