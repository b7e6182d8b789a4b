// Start-up restores the four stored options without writing any of them;
// every change made afterwards saves all four.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <map>
#include <ostream>

#include "window_test_support.h"

namespace tarnwick {
namespace {

using testing::Control;
using testing::MemorySettingsStore;
using testing::OpenWindow;
using testing::SavesOf;

struct Controls {
  QLineEdit* txtSpace;
  QCheckBox* ChRound;
  QComboBox* cRndNum;
  QComboBox* CmbDisc;
  QComboBox* CmbDSFormat;
};

Controls ControlsOf(const FrmConvert& window) {
  return {Control<QLineEdit>(window, "txtSpace"),
          Control<QCheckBox>(window, "ChRound"),
          Control<QComboBox>(window, "cRndNum"),
          Control<QComboBox>(window, "CmbDisc"),
          Control<QComboBox>(window, "CmbDSFormat")};
}

using NameOrder = std::vector<std::string>;
NameOrder NamesSaved(const MemorySettingsStore& store) {
  NameOrder names;
  for (const auto& save : store.saves) names.push_back(save.first);
  return names;
}
const NameOrder kAllFour = {"mSpace", "cRound", "rDecimalPoint", "Disc"};

TEST(FrmConvertStartupTest, AFirstStartShowsTheDefaultsAndWritesNothing) {
  MemorySettingsStore store;
  auto window = OpenWindow(store);
  Controls c = ControlsOf(*window);
  EXPECT_EQ(c.txtSpace->text(), "0");
  EXPECT_FALSE(c.ChRound->isChecked());
  EXPECT_FALSE(c.cRndNum->isEnabled());
  EXPECT_EQ(c.cRndNum->currentText(), "0");
  EXPECT_EQ(c.CmbDisc->currentText(), "0");
  EXPECT_EQ(c.CmbDSFormat->currentText(), "0.##");
  EXPECT_EQ(Control<QListWidget>(*window, "FiList")->count(), 0);
  EXPECT_TRUE(store.saves.empty());
  EXPECT_EQ(window->windowTitle(), "Tarnwick (Ver : 1.0.0)");
}

struct RestoreCase {
  std::map<std::string, std::string> stored;
  const char* space;
  bool round;
  const char* digits;
  const char* disc;
};

// Names a case by what it stores, for the test list.
void PrintTo(const RestoreCase& test, std::ostream* out) {
  for (const auto& [name, value] : test.stored) {
    *out << name << "=\"" << value << "\" ";
  }
}

class FrmConvertRestoreTest : public ::testing::TestWithParam<RestoreCase> {};

TEST_P(FrmConvertRestoreTest, StoredValuesSelectTheirEntriesWithoutSaving) {
  const RestoreCase& test = GetParam();
  MemorySettingsStore store;
  for (const auto& [name, value] : test.stored) store.values[name] = value;
  auto window = OpenWindow(store);
  Controls c = ControlsOf(*window);
  EXPECT_EQ(c.txtSpace->text(), test.space);
  EXPECT_EQ(c.ChRound->isChecked(), test.round);
  EXPECT_EQ(c.cRndNum->isEnabled(), test.round);
  EXPECT_EQ(c.cRndNum->currentText(), test.digits);
  EXPECT_EQ(c.CmbDisc->currentText(), test.disc);
  EXPECT_EQ(c.CmbDSFormat->currentText(), "0.##");
  EXPECT_TRUE(store.saves.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, FrmConvertRestoreTest,
    ::testing::Values(
        RestoreCase{
            {{"cRound", "1"}, {"rDecimalPoint", "2"}}, "0", true, "2", "0"},
        RestoreCase{{{"cRound", "1"}}, "0", true, "0", "0"},
        // Digits are restored even while rounding is off.
        RestoreCase{
            {{"cRound", "0"}, {"rDecimalPoint", "3"}}, "0", false, "3", "0"},
        RestoreCase{{{"mSpace", "14"}}, "14", false, "0", "0"},
        RestoreCase{{{"mSpace", "7x"}}, "7", false, "0", "0"},
        RestoreCase{{{"mSpace", "ab"}}, "0", false, "0", "0"},
        RestoreCase{{{"Disc", "3"}}, "0", false, "0", "3"},
        // The integer read rounds half to even.
        RestoreCase{{{"Disc", "3.7"}}, "0", false, "0", "4"},
        RestoreCase{{{"Disc", "2.5"}}, "0", false, "0", "2"},
        RestoreCase{{{"cRound", "0.6"}}, "0", true, "0", "0"},
        // Values no entry fits leave the default entry.
        RestoreCase{{{"Disc", "9"}}, "0", false, "0", "0"},
        RestoreCase{{{"Disc", "-1"}}, "0", false, "0", "0"},
        RestoreCase{{{"Disc", "1e300"}}, "0", false, "0", "0"},
        RestoreCase{{{"rDecimalPoint", "7"}}, "0", false, "0", "0"},
        RestoreCase{{{"rDecimalPoint", "2.5"}}, "0", false, "0", "0"},
        RestoreCase{{{"cRound", "2"}}, "0", false, "0", "0"},
        RestoreCase{{{"mSpace", "123"}}, "0", false, "0", "0"}));

TEST(FrmConvertOptionsTest, TickingRoundByHandResetsDigitsAndSavesAllFour) {
  MemorySettingsStore store;
  store.values = {{"mSpace", "9"}, {"rDecimalPoint", "2"}, {"Disc", "1"}};
  auto window = OpenWindow(store);
  Controls c = ControlsOf(*window);
  ASSERT_EQ(c.cRndNum->currentText(), "2");

  QTest::mouseClick(c.ChRound, Qt::LeftButton);

  EXPECT_TRUE(c.ChRound->isChecked());
  EXPECT_TRUE(c.cRndNum->isEnabled());
  EXPECT_EQ(c.cRndNum->currentText(), "0");
  ASSERT_GE(store.saves.size(), 4u);
  std::vector<std::pair<std::string, std::string>> last_four(
      store.saves.end() - 4, store.saves.end());
  EXPECT_EQ(last_four, (std::vector<std::pair<std::string, std::string>>{
                           {"mSpace", "9"},
                           {"cRound", "1"},
                           {"rDecimalPoint", "0"},
                           {"Disc", "1"}}));
}

TEST(FrmConvertOptionsTest, UntickingRoundDisablesDigitsAndSavesIt) {
  MemorySettingsStore store;
  store.values = {{"cRound", "1"}, {"rDecimalPoint", "3"}};
  auto window = OpenWindow(store);
  Controls c = ControlsOf(*window);

  QTest::mouseClick(c.ChRound, Qt::LeftButton);

  EXPECT_FALSE(c.cRndNum->isEnabled());
  EXPECT_EQ(c.cRndNum->currentText(), "3");
  EXPECT_EQ(NamesSaved(store), kAllFour);
  EXPECT_EQ(store.values["cRound"], "0");
  EXPECT_EQ(store.values["rDecimalPoint"], "3");
}

TEST(FrmConvertOptionsTest, EveryKeystrokeInMaxSpaceSavesAllFour) {
  MemorySettingsStore store;
  auto window = OpenWindow(store);
  Controls c = ControlsOf(*window);
  c.txtSpace->clear();
  store.saves.clear();

  QTest::keyClick(c.txtSpace, Qt::Key_1);
  EXPECT_EQ(SavesOf(store, "mSpace"), std::vector<std::string>{"1"});
  EXPECT_EQ(NamesSaved(store), kAllFour);
  QTest::keyClick(c.txtSpace, Qt::Key_2);
  EXPECT_EQ(SavesOf(store, "mSpace"), (std::vector<std::string>{"1", "12"}));
  // The box takes two characters; a third changes nothing.
  QTest::keyClick(c.txtSpace, Qt::Key_3);
  EXPECT_EQ(c.txtSpace->text(), "12");
  EXPECT_EQ(SavesOf(store, "mSpace").size(), 2u);

  QTest::keyClick(c.txtSpace, Qt::Key_Backspace);
  QTest::keyClick(c.txtSpace, Qt::Key_Backspace);
  QTest::keyClicks(c.txtSpace, "x");
  EXPECT_EQ(SavesOf(store, "mSpace"),
            (std::vector<std::string>{"1", "12", "1", "0", "0"}));
  EXPECT_EQ(store.values["cRound"], "0");
  EXPECT_EQ(store.values["rDecimalPoint"], "0");
  EXPECT_EQ(store.values["Disc"], "0");
}

TEST(FrmConvertOptionsTest, DiscLevelSavesItsIndexButDiscFormatSavesNothing) {
  MemorySettingsStore store;
  auto window = OpenWindow(store);
  Controls c = ControlsOf(*window);

  c.CmbDSFormat->setCurrentIndex(1);
  EXPECT_TRUE(store.saves.empty());

  c.CmbDisc->setCurrentIndex(3);
  EXPECT_EQ(NamesSaved(store), kAllFour);
  EXPECT_EQ(store.values["Disc"], "3");
}

TEST(FrmConvertOptionsTest, WhatTheWindowSavesIsWhatTheNextStartShows) {
  MemorySettingsStore store;
  {
    auto window = OpenWindow(store);
    Controls c = ControlsOf(*window);
    c.txtSpace->setText("15");
    c.ChRound->setChecked(true);
    c.cRndNum->setCurrentIndex(2);
    c.CmbDisc->setCurrentIndex(5);
    c.CmbDSFormat->setCurrentIndex(1);
  }
  store.saves.clear();
  auto window = OpenWindow(store);
  Controls c = ControlsOf(*window);
  EXPECT_EQ(c.txtSpace->text(), "15");
  EXPECT_TRUE(c.ChRound->isChecked());
  EXPECT_EQ(c.cRndNum->currentText(), "2");
  EXPECT_EQ(c.CmbDisc->currentText(), "5");
  EXPECT_EQ(c.CmbDSFormat->currentText(), "0.##");
  EXPECT_TRUE(store.saves.empty());
}

}  // namespace
}  // namespace tarnwick
