#include "octonus/writer_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "core/error.h"
#include "support/memory_settings_store.h"

namespace tarnwick::test {
namespace {

// W, the rounding flag and D as the writer reads them from `stored`, then
// every value it saved.
std::string Read(const decltype(MemorySettingsStore::values)& stored) {
  MemorySettingsStore store;
  store.values = stored;
  octonus::WriterSettings s = octonus::ReadWriterSettings(store);
  std::string read = std::to_string(s.space) + " " + std::to_string(s.round) +
                     " " + std::to_string(s.digits);
  for (const auto& [key, v] : store.saves) read += " " + key + "=" + v;
  return read;
}

TEST(WriterSettingsTest, ReadsLeadingNumbersAndStoresDefaultsForZeros) {
  EXPECT_EQ(Read({}), "12 0 0 mSpace=12 cRound=0 rDecimalPoint=0");
  // 2.5 rounds to the even 2.
  EXPECT_EQ(
      Read({{"mSpace", "14x"}, {"cRound", "1"}, {"rDecimalPoint", "2.5"}}),
      "14 1 2");
  EXPECT_EQ(Read({{"mSpace", "0"}, {"cRound", "1"}, {"rDecimalPoint", ""}}),
            "12 1 0 mSpace=12 rDecimalPoint=0");
  EXPECT_THROW(Read({{"mSpace", "99999"}}), Error);  // past 16 bits
}

}  // namespace
}  // namespace tarnwick::test
