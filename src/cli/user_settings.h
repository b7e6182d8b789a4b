#ifndef TARNWICK_CLI_USER_SETTINGS_H_
#define TARNWICK_CLI_USER_SETTINGS_H_

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "core/settings_store.h"

namespace tarnwick::cli {

// The user's stored options, through the settings module that lies beside
// the program in `program_folder`. Throws Error naming the module when it
// cannot be loaded.
std::unique_ptr<SettingsStore> OpenUserSettings(
    const std::filesystem::path& program_folder);

// The same, opened when a value is first read or saved: a run whose options
// were all given on the command line never needs the store.
class UserSettings : public SettingsStore {
 public:
  explicit UserSettings(std::filesystem::path program_folder)
      : program_folder_(std::move(program_folder)) {}

  // Opens the store now. Throws as OpenUserSettings does.
  void Open() const { Store(); }

  std::string GetRegValue(std::string_view name) const override;
  void SaveRegValue(std::string_view name, std::string_view value) override;

 private:
  SettingsStore& Store() const;

  std::filesystem::path program_folder_;
  mutable std::unique_ptr<SettingsStore> store_;
};

}  // namespace tarnwick::cli

#endif  // TARNWICK_CLI_USER_SETTINGS_H_
