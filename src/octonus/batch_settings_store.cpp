#include "octonus/batch_settings_store.h"

namespace tarnwick::octonus {

BatchSettingsStore::BatchSettingsStore(SettingsStore& stored)
    : stored_(stored) {
  for (const char* name : {"mSpace", "cRound", "rDecimalPoint"}) {
    kept_.emplace(name, stored_.GetRegValue(name));
  }
}

std::string BatchSettingsStore::GetRegValue(std::string_view name) const {
  auto kept = kept_.find(name);
  return kept != kept_.end() ? kept->second : stored_.GetRegValue(name);
}

void BatchSettingsStore::SaveRegValue(std::string_view name,
                                      std::string_view value) {
  stored_.SaveRegValue(name, value);
  kept_.insert_or_assign(std::string(name), std::string(value));
}

}  // namespace tarnwick::octonus
