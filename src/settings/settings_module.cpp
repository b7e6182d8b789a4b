#include "settings/settings_module.h"

#include "settings/qt_settings_store.h"

extern "C" __attribute__((visibility("default"))) tarnwick::SettingsStore*
TarnwickNewSettingsStore() {
  return new tarnwick::QtSettingsStore();
}
