#ifndef TARNWICK_CLI_RUN_SETTINGS_STORE_H_
#define TARNWICK_CLI_RUN_SETTINGS_STORE_H_

#include <map>
#include <string>

#include "core/settings_store.h"

namespace tarnwick::cli {

// The stored options as one command-line run sees them: an option given on
// the command line answers for its value and is never stored; every other
// value is read from and saved to the user's store as usual.
class RunSettingsStore : public SettingsStore {
 public:
  explicit RunSettingsStore(SettingsStore& stored) : stored_(stored) {}

  void Override(std::string name, std::string value);

  std::string GetRegValue(std::string_view name) const override;
  void SaveRegValue(std::string_view name, std::string_view value) override;

 private:
  SettingsStore& stored_;
  std::map<std::string, std::string, std::less<>> given_;
};

}  // namespace tarnwick::cli

#endif  // TARNWICK_CLI_RUN_SETTINGS_STORE_H_
