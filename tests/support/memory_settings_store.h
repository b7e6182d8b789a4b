#ifndef TARNWICK_TESTS_SUPPORT_MEMORY_SETTINGS_STORE_H_
#define TARNWICK_TESTS_SUPPORT_MEMORY_SETTINGS_STORE_H_

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/settings_store.h"

namespace tarnwick::test {

// A settings store in memory that remembers every save in order.
class MemorySettingsStore : public SettingsStore {
 public:
  std::map<std::string, std::string, std::less<>> values;
  std::vector<std::pair<std::string, std::string>> saves;

  std::string GetRegValue(std::string_view name) const override {
    auto it = values.find(name);
    return it == values.end() ? "" : it->second;
  }
  void SaveRegValue(std::string_view name, std::string_view value) override {
    values[std::string(name)] = std::string(value);
    saves.emplace_back(name, value);
  }
};

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_SUPPORT_MEMORY_SETTINGS_STORE_H_
