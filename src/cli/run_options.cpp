#include "cli/run_options.h"

#include <string>

#include "core/error.h"
#include "octonus/writer_settings.h"

namespace tarnwick::cli {
namespace {

int StoredDiscLevel(const SettingsStore& stored) {
  try {
    int level = octonus::ReadRegInteger(stored, "Disc");
    return level >= 0 && level <= 5 ? level : 0;
  } catch (const Error&) {
    return 0;
  }
}

}  // namespace

octonus::ConversionOptions RunConversionOptions(const CliOptions& cli,
                                                const SettingsStore& stored) {
  octonus::ConversionOptions options;
  options.app_folder = cli.app_folder;
  options.disc_level = cli.disc ? *cli.disc : StoredDiscLevel(stored);
  options.disc_format = cli.disc_format.value_or(0) == 0
                            ? octonus::DiscountFormat::kMultiplier
                            : octonus::DiscountFormat::kPercentOff;
  return options;
}

void OverrideGivenSettings(const CliOptions& cli, RunSettingsStore& store) {
  if (cli.space.has_value())
    store.Override("mSpace", std::to_string(*cli.space));
  if (cli.round_digits.has_value()) {
    store.Override("cRound", "1");
    store.Override("rDecimalPoint", std::to_string(*cli.round_digits));
  }
  if (cli.no_round) store.Override("cRound", "0");
}

}  // namespace tarnwick::cli
