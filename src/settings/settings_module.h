#ifndef TARNWICK_SETTINGS_SETTINGS_MODULE_H_
#define TARNWICK_SETTINGS_SETTINGS_MODULE_H_

#include "core/settings_store.h"

namespace tarnwick {

// The stored options are also built as a module beside tarnwick-cli, which
// loads it (and Qt with it) only for the commands that read them: loading Qt
// costs a run a few milliseconds that an import or a dump has no use for.
inline constexpr char kSettingsModuleFile[] = "tarnwick-settings.so";
// The module's one entry: a new store of the user's options, which the
// caller deletes.
inline constexpr char kSettingsModuleEntry[] = "TarnwickNewSettingsStore";
using SettingsModuleEntry = SettingsStore* (*)();

}  // namespace tarnwick

#endif  // TARNWICK_SETTINGS_SETTINGS_MODULE_H_
