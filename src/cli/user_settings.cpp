#include "cli/user_settings.h"

#include "settings/qt_settings_store.h"

namespace tarnwick::cli {

UserSettings::UserSettings() = default;
UserSettings::~UserSettings() = default;

SettingsStore& UserSettings::Store() const {
  if (!store_) store_ = std::make_unique<QtSettingsStore>();
  return *store_;
}

std::string UserSettings::GetRegValue(std::string_view name) const {
  return Store().GetRegValue(name);
}

void UserSettings::SaveRegValue(std::string_view name, std::string_view value) {
  Store().SaveRegValue(name, value);
}

}  // namespace tarnwick::cli
