#ifndef TARNWICK_SETTINGS_QT_SETTINGS_STORE_H_
#define TARNWICK_SETTINGS_QT_SETTINGS_STORE_H_

#include <string>

#include "core/settings_store.h"

namespace tarnwick::settings {

// The four options in the user's own settings: the registry key
// HKEY_CURRENT_USER\Software\Tarnwick\Settings on Windows, an INI file
// (Tarnwick/Settings.conf under the XDG config folder) on Linux. Every read
// and save goes to the store at once; nothing is kept in memory.
class QtSettingsStore : public SettingsStore {
 public:
  std::string GetRegValue(std::string_view name) const override;
  void SaveRegValue(std::string_view name, std::string_view value) override;
  // Where the values live, for people who want to find them.
  std::string Location() const;
};

}  // namespace tarnwick::settings

#endif  // TARNWICK_SETTINGS_QT_SETTINGS_STORE_H_
