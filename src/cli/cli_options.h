#ifndef TARNWICK_CLI_CLI_OPTIONS_H_
#define TARNWICK_CLI_CLI_OPTIONS_H_

#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarnwick::cli {

// A command line that does not follow the usage; exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CliOptions {
  // --help or --version: the text to print; nothing is run.
  std::string print;
  // --app-folder (empty when not given), then the folder the command works
  // in, once main has chosen it.
  std::filesystem::path app_folder;
  std::filesystem::path program_folder;  // where tarnwick-cli itself lies
  std::optional<bool> answer;            // --yes / --no
  std::string command;  // read, convert, import-csv, import-dbf, dump
  std::string operand;  // FOLDER or WORKBOOK
  // convert only. Options given hold for the run and are not stored.
  std::vector<std::string> sheets;
  std::optional<int> disc;          // 0..5
  std::optional<int> disc_format;   // 0 "0.##", 1 "100%"
  std::optional<int> space;         // field width
  std::optional<int> round_digits;  // --round D: rounding on, D digits
  bool no_round = false;            // --no-round
};

// Parses argv; throws UsageError with a reason.
CliOptions ParseArguments(int argc, char** argv);

std::string UsageText();
// "tarnwick-cli 1.1.0"
std::string TarnwickCliVersion();

// Commands; each returns the exit status.
int RunDump(const CliOptions& options);
int RunRead(const CliOptions& options);
int RunConvert(const CliOptions& options);
int RunImportCsv(const CliOptions& options);
int RunImportDbf(const CliOptions& options);

}  // namespace tarnwick::cli

#endif  // TARNWICK_CLI_CLI_OPTIONS_H_
