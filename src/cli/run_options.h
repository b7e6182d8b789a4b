#ifndef TARNWICK_CLI_RUN_OPTIONS_H_
#define TARNWICK_CLI_RUN_OPTIONS_H_

#include "cli/cli_options.h"
#include "cli/run_settings_store.h"
#include "core/settings_store.h"
#include "octonus/conversion_session.h"

namespace tarnwick::cli {

// The window's choices for one run: --disc and --disc-format when given,
// else the stored discount level ("Disc") and the format "0.##" that the
// window starts with. A stored level outside 0 to 5 counts as 0.
octonus::ConversionOptions RunConversionOptions(const CliOptions& cli,
                                                const SettingsStore& stored);

// Makes --space, --round D and --no-round answer for "mSpace", "cRound" and
// "rDecimalPoint" during the run, without storing them.
void OverrideGivenSettings(const CliOptions& cli, RunSettingsStore& store);

}  // namespace tarnwick::cli

#endif  // TARNWICK_CLI_RUN_OPTIONS_H_
