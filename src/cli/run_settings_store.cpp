#include "cli/run_settings_store.h"

namespace tarnwick::cli {

void RunSettingsStore::Override(std::string name, std::string value) {
  given_[std::move(name)] = std::move(value);
}

std::string RunSettingsStore::GetRegValue(std::string_view name) const {
  auto it = given_.find(name);
  return it != given_.end() ? it->second : stored_.GetRegValue(name);
}

void RunSettingsStore::SaveRegValue(std::string_view name,
                                    std::string_view value) {
  if (given_.contains(name)) return;
  stored_.SaveRegValue(name, value);
}

}  // namespace tarnwick::cli
