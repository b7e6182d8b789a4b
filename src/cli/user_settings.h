#ifndef TARNWICK_CLI_USER_SETTINGS_H_
#define TARNWICK_CLI_USER_SETTINGS_H_

#include <memory>
#include <string>
#include <string_view>

#include "core/settings_store.h"

namespace tarnwick::cli {

// The user's stored options, opened when a value is first read or saved: a
// run whose options were all given on the command line never touches them.
class UserSettings : public SettingsStore {
 public:
  UserSettings();
  ~UserSettings() override;

  std::string GetRegValue(std::string_view name) const override;
  void SaveRegValue(std::string_view name, std::string_view value) override;

 private:
  SettingsStore& Store() const;

  mutable std::unique_ptr<SettingsStore> store_;
};

}  // namespace tarnwick::cli

#endif  // TARNWICK_CLI_USER_SETTINGS_H_
