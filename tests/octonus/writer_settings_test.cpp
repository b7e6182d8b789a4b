#include "octonus/writer_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/error.h"
#include "support/memory_settings_store.h"

namespace tarnwick::test {
namespace {

using Saves = std::vector<std::pair<std::string, std::string>>;

// W, the rounding flag and D as the writer reads them from `stored`.
std::vector<int> Read(MemorySettingsStore& store) {
  octonus::WriterSettings s = octonus::ReadWriterSettings(store);
  return {s.space, s.round, s.digits};
}

TEST(WriterSettingsTest, ReadsLeadingNumbersAndStoresDefaultsForZeros) {
  MemorySettingsStore empty;
  EXPECT_EQ(Read(empty), (std::vector<int>{12, 0, 0}));
  EXPECT_EQ(empty.saves,
            (Saves{{"mSpace", "12"}, {"cRound", "0"}, {"rDecimalPoint", "0"}}));

  MemorySettingsStore set;
  set.values = {{"mSpace", "14x"}, {"cRound", "1"}, {"rDecimalPoint", "2.5"}};
  EXPECT_EQ(Read(set), (std::vector<int>{14, 1, 2}));  // 2.5 to the even 2
  EXPECT_TRUE(set.saves.empty());

  MemorySettingsStore zeros;
  zeros.values = {{"mSpace", "0"}, {"cRound", "1"}, {"rDecimalPoint", ""}};
  EXPECT_EQ(Read(zeros), (std::vector<int>{12, 1, 0}));
  EXPECT_EQ(zeros.saves, (Saves{{"mSpace", "12"}, {"rDecimalPoint", "0"}}));

  MemorySettingsStore wide;
  wide.values = {{"mSpace", "99999"}};
  EXPECT_THROW(octonus::ReadWriterSettings(wide), Error);  // past 16 bits
}

}  // namespace
}  // namespace tarnwick::test
