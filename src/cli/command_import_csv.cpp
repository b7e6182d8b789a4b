#include <iostream>

#include "cli/cli_options.h"

namespace tarnwick::cli {

int RunImportCsv(const CliOptions&) {
  std::cerr << "tarnwick-cli: this command is not available yet\n";
  return 1;
}

}  // namespace tarnwick::cli
