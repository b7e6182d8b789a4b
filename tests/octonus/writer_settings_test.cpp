#include "octonus/writer_settings.h"

#include <gtest/gtest.h>

#include "core/error.h"
#include "support/memory_settings_store.h"

namespace tarnwick {
namespace {

using testing::MemorySettingsStore;

TEST(WriterSettingsTest, AnEmptyStoreGetsTheDefaultsStored) {
  MemorySettingsStore store;
  WriterSettings s = ReadWriterSettings(store);
  EXPECT_EQ(s.space, 12);
  EXPECT_EQ(s.round, 0);
  EXPECT_EQ(s.digits, 0);
  std::vector<std::pair<std::string, std::string>> expected = {
      {"mSpace", "12"}, {"cRound", "0"}, {"rDecimalPoint", "0"}};
  EXPECT_EQ(store.saves, expected);
}

TEST(WriterSettingsTest, StoredValuesAreReadAsTheirLeadingNumber) {
  MemorySettingsStore store;
  store.values = {{"mSpace", "14x"}, {"cRound", "1"}, {"rDecimalPoint", "2.5"}};
  WriterSettings s = ReadWriterSettings(store);
  EXPECT_EQ(s.space, 14);
  EXPECT_EQ(s.round, 1);
  EXPECT_EQ(s.digits, 2);  // 2.5 rounds to the even 2
  EXPECT_TRUE(store.saves.empty());
}

TEST(WriterSettingsTest, OnlyTheValuesThatReadAsZeroAreRewritten) {
  MemorySettingsStore store;
  store.values = {{"mSpace", "0"}, {"cRound", "1"}, {"rDecimalPoint", ""}};
  WriterSettings s = ReadWriterSettings(store);
  EXPECT_EQ(s.space, 12);
  EXPECT_EQ(s.round, 1);
  std::vector<std::pair<std::string, std::string>> expected = {
      {"mSpace", "12"}, {"rDecimalPoint", "0"}};
  EXPECT_EQ(store.saves, expected);
}

TEST(WriterSettingsTest, AValueOutsideSixteenBitsFails) {
  MemorySettingsStore store;
  store.values = {{"mSpace", "99999"}};
  EXPECT_THROW(ReadWriterSettings(store), Error);
}

}  // namespace
}  // namespace tarnwick
