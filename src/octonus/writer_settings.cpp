#include "octonus/writer_settings.h"

#include <string>

#include "core/number_rules.h"

namespace tarnwick::octonus {

int ReadRegInteger(const SettingsStore& store, std::string_view name) {
  std::string text = store.GetRegValue(name);
  return ToInt16(LeadingNumber(text), "the stored value " + std::string(name));
}

WriterSettings ReadWriterSettings(SettingsStore& store) {
  WriterSettings s;
  s.space = ReadRegInteger(store, "mSpace");
  if (s.space == 0) {
    store.SaveRegValue("mSpace", "12");
    s.space = 12;
  }
  s.round = ReadRegInteger(store, "cRound");
  if (s.round == 0) store.SaveRegValue("cRound", "0");
  s.digits = ReadRegInteger(store, "rDecimalPoint");
  if (s.digits == 0) store.SaveRegValue("rDecimalPoint", "0");
  return s;
}

}  // namespace tarnwick::octonus
