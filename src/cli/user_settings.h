#ifndef TARNWICK_CLI_USER_SETTINGS_H_
#define TARNWICK_CLI_USER_SETTINGS_H_

#include <filesystem>
#include <memory>

#include "core/settings_store.h"

namespace tarnwick::cli {

// The user's stored options, through the settings module that lies beside
// the program in `program_folder`. Throws Error naming the module when it
// cannot be loaded.
std::unique_ptr<SettingsStore> OpenUserSettings(
    const std::filesystem::path& program_folder);

}  // namespace tarnwick::cli

#endif  // TARNWICK_CLI_USER_SETTINGS_H_
