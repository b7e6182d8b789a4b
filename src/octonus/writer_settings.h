#ifndef TARNWICK_OCTONUS_WRITER_SETTINGS_H_
#define TARNWICK_OCTONUS_WRITER_SETTINGS_H_

#include <string_view>

#include "core/settings_store.h"

namespace tarnwick::octonus {

// The three stored options the table writer reads for every sheet.
struct WriterSettings {
  int space = 12;  // W, the field width ("mSpace")
  int round = 0;   // the rounding flag ("cRound")
  int digits = 0;  // D, digits kept when rounding ("rDecimalPoint")
};

// The number a stored value holds: the leading number of its text, rounded
// half to even to a 16-bit integer ("" reads as 0). Throws Error when it is
// outside -32768..32767.
int ReadRegInteger(const SettingsStore& store, std::string_view name);

// Reads the three values; a value that reads as 0 stores its default ("12"
// for "mSpace", "0" for the other two) and the default is used.
WriterSettings ReadWriterSettings(SettingsStore& store);

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_WRITER_SETTINGS_H_
