#ifndef TARNWICK_CORE_SETTINGS_STORE_H_
#define TARNWICK_CORE_SETTINGS_STORE_H_

#include <string>
#include <string_view>

namespace tarnwick {

// The per-user store of the four options ("mSpace", "cRound",
// "rDecimalPoint", "Disc"), every value a text. A missing value reads as ""
// and no failure is ever reported: a failed save leaves the old value.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::string GetRegValue(std::string_view name) const = 0;
  virtual void SaveRegValue(std::string_view name, std::string_view value) = 0;
};

}  // namespace tarnwick

#endif  // TARNWICK_CORE_SETTINGS_STORE_H_
