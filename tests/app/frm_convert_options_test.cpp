// The window's four stored options: start-up restores them without writing
// any; every change made afterwards, by hand or through File > Registry, saves
// all four.

#include "app/window_test.h"

namespace tarnwick::test {
namespace {

// The options in the order they are saved in.
const char* const kNames[] = {"mSpace", "cRound", "rDecimalPoint", "Disc"};

class FrmConvertOptionsTest : public WindowTest {
 protected:
  // Opens the window over the four values in the order of kNames, "-" for
  // one that is not stored.
  void OpenOver(const char* stored) {
    store_ = {};
    const QStringList values = QString(stored).split(' ');
    for (int i = 0; i < 4; ++i) {
      if (values[i] != "-") store_.values[kNames[i]] = values[i].toStdString();
    }
    Open();
  }

  // What the option controls show, in the same form: "14 1 2 3".
  std::string Shown() const {
    const bool round = Get<QCheckBox>("ChRound")->isChecked();
    EXPECT_EQ(Get("cRndNum")->isEnabled(), round);
    return (Get<QLineEdit>("txtSpace")->text() + (round ? " 1 " : " 0 ") +
            Get<QComboBox>("cRndNum")->currentText() + " " +
            Get<QComboBox>("CmbDisc")->currentText())
        .toStdString();
  }

  // The last round of saves in the same form; every round saves all four.
  std::string LastSaved() const {
    const size_t end = store_.saves.size();
    std::string values;
    for (size_t i = end - std::min<size_t>(end, 4); i < end; ++i) {
      EXPECT_EQ(store_.saves[i].first, kNames[i % 4]);
      values += (values.empty() ? "" : " ") + store_.saves[i].second;
    }
    return values;
  }
};

TEST_F(FrmConvertOptionsTest, StoredValuesShowUnsavedAndEveryChangeSavesAll) {
  const struct {
    const char *stored, *shown, *control = nullptr;
    int pick = 0;              // the entry then picked; -1 clicks the control
    const char* changed = "";  // shown after, and saved if an option
  } cases[] = {
      {"- - - -", "0 0 0 0"},  // the first start
      {"14 1 2 3", "14 1 2 3"},
      // A value's leading number counts; integers round half to even.
      {"7x 0.6 - 3.7", "7 1 0 4"},
      // Digits are restored even while rounding is off.
      {"ab 0 3 2.5", "0 0 3 2"},
      // Values no entry fits leave the default entry.
      {"123 2 7 9", "0 0 0 0"},
      {"- - 2.5 -1", "0 0 0 0"},
      {"- - - 1e300", "0 0 0 0"},
      // Ticking ChRound by hand resets the digits; unticking keeps them.
      {"9 - 2 -", "9 0 2 0", "ChRound", -1, "9 1 0 0"},
      {"- 1 3 -", "0 1 3 0", "ChRound", -1, "0 0 3 0"},
      {"- 1 - -", "0 1 0 0", "cRndNum", 2, "0 1 2 0"},
      {"- - - -", "0 0 0 0", "CmbDisc", 3, "0 0 0 3"},
      {"- - - -", "0 0 0 0", "CmbDSFormat", 1, "0 0 0 0"},  // not an option
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.stored) + " " + (c.control ? c.control : ""));
    OpenOver(c.stored);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(Get<QComboBox>("CmbDSFormat")->currentText(), "0.##");
    EXPECT_EQ(Get<QListWidget>("FiList")->count(), 0);
    EXPECT_TRUE(store_.saves.empty());
    if (c.control == nullptr) continue;
    if (c.pick < 0) {
      QTest::mouseClick(Get(c.control), Qt::LeftButton);
    } else {
      Get<QComboBox>(c.control)->setCurrentIndex(c.pick);
    }
    EXPECT_EQ(Shown(), c.changed);
    const bool option = c.control != std::string("CmbDSFormat");
    EXPECT_EQ(LastSaved(), option ? c.changed : "");
  }
}

TEST_F(FrmConvertOptionsTest, EveryKeystrokeInMaxSpaceSavesAllFour) {
  auto* space = Get<QLineEdit>("txtSpace");
  const struct {
    Qt::Key key;
    const char *text, *saved;
  } steps[] = {
      {Qt::Key_Backspace, "", "0 0 0 0"},  // the start's "0"
      {Qt::Key_1, "1", "1 0 0 0"},         {Qt::Key_2, "12", "12 0 0 0"},
      {Qt::Key_3, "12", "12 0 0 0"},  // the box takes two characters
      {Qt::Key_Backspace, "1", "1 0 0 0"}, {Qt::Key_Backspace, "", "0 0 0 0"},
      {Qt::Key_X, "x", "0 0 0 0"},  // no number: 0
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.text);
    QTest::keyClick(space, step.key);
    EXPECT_EQ(space->text(), step.text);
    EXPECT_EQ(LastSaved(), step.saved);
  }
}

TEST_F(FrmConvertOptionsTest, RegistryShowsWhereTheOptionsLiveAndSavesEdits) {
  Open(nullptr, "/home/user/Documents/Tarnwick");
  // Cancelled edits are dropped; accepted ones are shown and saved.
  for (bool accept : {false, true}) {
    modals_.on_dialog = [accept](QDialog& dialog) {
      EXPECT_EQ(dialog.findChild<QLabel*>("Location")->text(),
                "/home/user/.config/Tarnwick/Settings.conf");
      EXPECT_EQ(dialog.findChild<QLabel*>("AppFolder")->text(),
                "/home/user/Documents/Tarnwick");
      EXPECT_EQ(dialog.findChild<QLineEdit*>("mSpace")->text(), "0");
      dialog.findChild<QLineEdit*>("mSpace")->setText("20");
      dialog.findChild<QCheckBox*>("cRound")->setChecked(true);
      dialog.findChild<QComboBox*>("rDecimalPoint")->setCurrentIndex(3);
      dialog.findChild<QComboBox*>("Disc")->setCurrentIndex(2);
      accept ? dialog.accept() : dialog.reject();
    };
    Get<QAction>("MnuRegistry")->trigger();
    EXPECT_EQ(Shown(), accept ? "20 1 3 2" : "0 0 0 0");
  }
  EXPECT_EQ(store_.saves.size(), 4u);
  EXPECT_EQ(LastSaved(), "20 1 3 2");
}

}  // namespace
}  // namespace tarnwick::test
