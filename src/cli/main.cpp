// tarnwick-cli: the window's operations for scripts and batch jobs.

#include <exception>
#include <iostream>

#include "cli/cli_options.h"
#include "core/memory_reuse.h"

int main(int argc, char** argv) {
  tarnwick::KeepFreedMemoryForReuse();
  using namespace tarnwick::cli;
  CliOptions options;
  try {
    options = ParseArguments(argc, argv);
  } catch (const UsageError& e) {
    std::cerr << "tarnwick-cli: " << e.what() << "\n" << UsageText();
    return 2;
  }
  try {
    if (options.command == "dump") return RunDump(options);
    if (options.command == "read") return RunRead(options);
    if (options.command == "convert") return RunConvert(options);
    if (options.command == "import-csv") return RunImportCsv(options);
    if (options.command == "import-dbf") return RunImportDbf(options);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 2;
}
