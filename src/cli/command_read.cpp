#include <iostream>

#include "cli/cli_options.h"
#include "cli/run_options.h"
#include "cli/terminal_host.h"
#include "octonus/conversion_session.h"
#include "octonus/read_price_file.h"
#include "settings/qt_settings_store.h"

namespace tarnwick::cli {

// Lists the sheets of Price.xls, one name a line, after the checks of Read
// Price File (with the stored discount level).
int RunRead(const CliOptions& cli) {
  settings::QtSettingsStore store;
  TerminalHost host(cli.answer);
  octonus::ConversionSession session;
  octonus::ReadPriceFile(session, RunConversionOptions(cli, store), host);
  for (int i = 0; i < host.SheetListCount(); ++i) {
    std::cout << host.SheetListEntry(i) << '\n';
  }
  std::cout.flush();
  return host.ShowedMessage() || host.AnsweredNo() ? 1 : 0;
}

}  // namespace tarnwick::cli
