#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_options.h"
#include "cli/run_options.h"
#include "cli/run_settings_store.h"
#include "cli/terminal_host.h"
#include "core/letter_case.h"
#include "octonus/conversion_batch.h"
#include "octonus/conversion_session.h"
#include "octonus/read_price_file.h"
#include "settings/qt_settings_store.h"

namespace tarnwick::cli {
namespace {

// Leaves only the --sheet sheets selected. Names the workbook lacks are told
// on standard error; then nothing is converted.
bool SelectNamedSheets(const std::vector<std::string>& wanted, Host& host) {
  bool all_found = true;
  for (const std::string& name : wanted) {
    bool found = false;
    for (int i = 0; i < host.SheetListCount(); ++i) {
      found = found || SameIgnoringCase(host.SheetListEntry(i), name);
    }
    if (!found) {
      std::cerr << "tarnwick-cli: Price.xls has no sheet named \"" << name
                << "\"\n";
      all_found = false;
    }
  }
  if (!all_found) return false;
  for (int i = 0; i < host.SheetListCount(); ++i) {
    bool selected = false;
    for (const std::string& name : wanted) {
      selected = selected || SameIgnoringCase(host.SheetListEntry(i), name);
    }
    host.SetSheetListSelected(i, selected);
  }
  return true;
}

// The first entry still selected: the sheet a stop left unconverted.
int FirstSelected(const Host& host) {
  for (int i = 0; i < host.SheetListCount(); ++i) {
    if (host.SheetListSelected(i)) return i;
  }
  return -1;
}

}  // namespace

// Read Price File, then the conversion of every sheet or of the --sheet
// ones. Exit status 1 when a message was shown or the run stopped short.
int RunConvert(const CliOptions& cli) {
  settings::QtSettingsStore stored;
  RunSettingsStore settings(stored);
  OverrideGivenSettings(cli, settings);
  octonus::ConversionOptions options = RunConversionOptions(cli, stored);

  TerminalHost host(cli.answer);
  octonus::ConversionSession session;
  octonus::ReadPriceFile(session, options, host);
  if (host.SheetListCount() == 0) return 1;
  if (!cli.sheets.empty() && !SelectNamedSheets(cli.sheets, host)) return 1;

  octonus::ConvertSelectedSheets(session, options, settings, host);
  // A converted sheet is unselected; one still selected was cancelled or
  // never reached.
  int left = FirstSelected(host);
  if (left >= 0 && host.Interrupted()) {
    host.ShowMessage("The conversion was stopped at sheet " +
                         host.SheetListEntry(left) + ".",
                     MessageIcon::kInformation, {});
  }
  bool stopped_short = left >= 0 || host.SheetListCount() == 0;
  return host.ShowedMessage() || host.AnsweredNo() || stopped_short ? 1 : 0;
}

}  // namespace tarnwick::cli
