#include "cli/cli_options.h"
#include "cli/terminal_host.h"
#include "filelists/fill_file_list.h"
#include "import/dbf/convert_dbf_files.h"
#include "import/price_module.h"
#include "import/run_import.h"

namespace tarnwick::cli {

int RunImportDbf(const CliOptions& options) {
  TerminalHost host(options.answer);
  import::PriceModule module;
  int files = static_cast<int>(filelists::FillFileList(options.operand).size());
  import::RunImport(files, host, [&] {
    import::ConvertDBFFiles(options.app_folder, options.operand, module, host);
});
return host.ShowedMessage() || host.AnsweredNo() ? 1 : 0;
}  // namespace tarnwick::cli

}  // namespace tarnwick::cli
