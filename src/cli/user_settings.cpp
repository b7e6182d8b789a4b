#include "cli/user_settings.h"

#include <dlfcn.h>

#include <string>

#include "core/error.h"
#include "settings/settings_module.h"

namespace tarnwick::cli {

std::unique_ptr<SettingsStore> OpenUserSettings(
    const std::filesystem::path& program_folder) {
  const std::string path = (program_folder / kSettingsModuleFile).string();
  auto cannot = [&](const char* reason) {
    return Error(path + ": the settings module cannot be loaded (" +
                 (reason ? reason : "unknown reason") + ")");
  };
  // Kept loaded to the end of the run: the store's code lives in it.
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) throw cannot(::dlerror());
  auto entry = reinterpret_cast<SettingsModuleEntry>(
      ::dlsym(module, kSettingsModuleEntry));
  if (entry == nullptr) throw cannot(::dlerror());
  return std::unique_ptr<SettingsStore>(entry());
}

SettingsStore& UserSettings::Store() const {
  if (!store_) store_ = OpenUserSettings(program_folder_);
  return *store_;
}

std::string UserSettings::GetRegValue(std::string_view name) const {
  return Store().GetRegValue(name);
}

void UserSettings::SaveRegValue(std::string_view name, std::string_view value) {
  Store().SaveRegValue(name, value);
}

}  // namespace tarnwick::cli
