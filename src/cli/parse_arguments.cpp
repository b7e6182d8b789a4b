#include <cstdlib>
#include <string_view>

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

}  // namespace

std::string UsageText() {
  return "usage: tarnwick-cli [--app-folder DIR] [--yes|--no] COMMAND\n"
         "  read                 list the sheets of Price.xls\n"
         "  convert [--sheet NAME]... [--disc N] [--disc-format 0.##|100%]\n"
         "          [--space W] [--round D | --no-round]\n"
         "                       write the Octonus price tables\n"
         "  import-csv FOLDER    build Price.xls from the CSV price lists\n"
         "  import-dbf FOLDER    build Price.xls from the five DBF tables\n"
         "  dump WORKBOOK        print the cells of a workbook\n";
}

CliOptions ParseArguments(int argc, char** argv) {
  CliOptions o;
  std::optional<std::filesystem::path> app_folder;
  bool convert_option = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) throw UsageError(std::string(arg) + " needs a value");
      return argv[++i];
    };
    if (arg == "--app-folder") {
      app_folder = value();
    } else if (arg == "--yes" || arg == "--no") {
      if (o.answer.has_value() && *o.answer != (arg == "--yes")) {
        throw UsageError("--yes and --no exclude each other");
      }
      o.answer = arg == "--yes";
    } else if (arg == "--sheet") {
      o.sheets.push_back(value());
      convert_option = true;
    } else if (arg == "--disc") {
      o.disc = WholeNumber(arg, value(), 0, 5);
      convert_option = true;
    } else if (arg == "--disc-format") {
      std::string f = value();
      if (f != "0.##" && f != "100%") {
        throw UsageError("--disc-format takes 0.## or 100%");
      }
      o.disc_format = f == "0.##" ? 0 : 1;
      convert_option = true;
    } else if (arg == "--space") {
      o.space = WholeNumber(arg, value(), 1, 99);
      convert_option = true;
    } else if (arg == "--round") {
      o.round_digits = WholeNumber(arg, value(), 0, 3);
      convert_option = true;
    } else if (arg == "--no-round") {
      o.no_round = true;
      convert_option = true;
    } else if (arg.starts_with("--")) {
      throw UsageError("unknown option " + std::string(arg));
    } else if (o.command.empty()) {
      if (!IsCommand(arg))
        throw UsageError("unknown command " + std::string(arg));
      o.command = arg;
    } else if (o.operand.empty() &&
               (o.command == "import-csv" || o.command == "import-dbf" ||
                o.command == "dump")) {
      o.operand = arg;
    } else {
      throw UsageError("unexpected argument " + std::string(arg));
    }
  }
  if (o.command.empty()) throw UsageError("no command given");
  if (o.operand.empty() && (o.command == "import-csv" ||
                            o.command == "import-dbf" || o.command == "dump")) {
    throw UsageError(o.command + " needs " +
                     (o.command == "dump" ? "a WORKBOOK" : "a FOLDER"));
  }
  if (convert_option && o.command != "convert") {
    throw UsageError(
        "--sheet, --disc, --disc-format, --space, --round and "
        "--no-round go with convert only");
  }
  if (o.round_digits.has_value() && o.no_round) {
    throw UsageError("--round and --no-round exclude each other");
  }
  o.program_folder = ProgramFolder(argv[0]);
  if (app_folder) {
    o.app_folder = *app_folder;
  } else if (const char* home = std::getenv("TARNWICK_HOME");
             home != nullptr && *home != '\0') {
    o.app_folder = home;
  } else {
    o.app_folder = o.program_folder;
  }
  return o;
}

}  // namespace tarnwick::cli
