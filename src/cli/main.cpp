// tarnwick-cli: the window's operations for scripts and batch jobs.

#include <exception>
#include <iostream>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "cli/cli_options.h"
#include "core/application_folder.h"
#include "settings/documents_folder.h"

int main(int argc, char** argv) {
#ifdef __GLIBC__
  // Workbooks and their value grids come and go in blocks of megabytes, one
  // set for every sheet of a run; kept by the allocator for the next sheet
  // rather than handed back to the system and faulted in again, they cost
  // a run of long sheets a fifth less processor time.
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
  using namespace tarnwick::cli;
  CliOptions options;
  try {
    options = ParseArguments(argc, argv);
  } catch (const UsageError& e) {
    std::cerr << "tarnwick-cli: " << e.what() << "\n" << UsageText();
    return 2;
  }
  if (!options.print.empty()) {
    std::cout << options.print;
    return 0;
  }
  try {
    // dump reads the workbook it is given and nothing of the folder.
    if (options.command == "dump") return RunDump(options);
    options.app_folder = tarnwick::ChooseApplicationFolder(
        {options.app_folder, options.program_folder,
         tarnwick::settings::DocumentsFolder()});
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
