#include <filesystem>

#include "cli/cli_options.h"
#include "cli/terminal_host.h"
#include "filelists/fill_file_list.h"
#include "import/csv/convert_csv_files.h"
#include "import/price_module.h"
#include "import/run_import.h"

namespace tarnwick::cli {

// The CSV button for scripts: the folder's file list decides, as FiList
// does, whether there is anything to read; --yes or --no answer the
// questions about grades the dictionaries lack.
int RunImportCsv(const CliOptions& options) {
  TerminalHost host(options.answer);
  import::PriceModule module;
  std::filesystem::path folder = options.operand;
  int files = static_cast<int>(filelists::FillFileList(folder).size());
  import::RunImport(files, host,
            [&] { import::ConvertCSVFiles(options.app_folder, folder, module, host);
});
return host.ShowedMessage() || host.AnsweredNo() ? 1 : 0;
}  // namespace tarnwick::cli

}  // namespace tarnwick::cli
