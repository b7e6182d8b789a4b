#ifndef TARNWICK_OCTONUS_BATCH_SETTINGS_STORE_H_
#define TARNWICK_OCTONUS_BATCH_SETTINGS_STORE_H_

#include <map>
#include <string>
#include <string_view>

#include "core/settings_store.h"

namespace tarnwick::octonus {

// The three stored options of the table writer as one conversion batch sees
// them: read once, when the batch starts, so that a value changed meanwhile
// (by another run) cannot give one batch tables of two widths. A value the
// writer stores (a default for one that reads as 0) goes through to the
// store and holds for the rest of the batch.
class BatchSettingsStore : public SettingsStore {
 public:
  explicit BatchSettingsStore(SettingsStore& stored);

  std::string GetRegValue(std::string_view name) const override;
  void SaveRegValue(std::string_view name, std::string_view value) override;

 private:
  SettingsStore& stored_;
  std::map<std::string, std::string, std::less<>> kept_;
};

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_BATCH_SETTINGS_STORE_H_
