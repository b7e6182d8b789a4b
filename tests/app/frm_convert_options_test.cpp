// The four stored options: start-up restores them without writing any, and
// every change made afterwards, by hand or through File > Registry, saves
// all four. And the window as it is drawn: every control with its caption
// or tool tip and its entries, none covering another, and the tab order.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <string_view>

#include "window_test_support.h"

namespace tarnwick {
namespace {

class FrmConvertOptionsTest : public test::WindowTest {
 protected:
  void OpenOver(const std::map<std::string, std::string>& stored) {
    store_ = {};
    for (const auto& [name, value] : stored) store_.values[name] = value;
    Open();
  }

  // What the option controls show, in the form and order they are saved in:
  // "mSpace cRound rDecimalPoint Disc".
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
    const char* const names[] = {"mSpace", "cRound", "rDecimalPoint", "Disc"};
    const size_t end = store_.saves.size();
    std::string values;
    for (size_t i = end - std::min<size_t>(end, 4); i < end; ++i) {
      EXPECT_EQ(store_.saves[i].first, names[i % 4]);
      values += (values.empty() ? "" : " ") + store_.saves[i].second;
    }
    return values;
  }
};

TEST_F(FrmConvertOptionsTest, StoredValuesSelectTheirEntriesWithoutSaving) {
  const struct {
    std::map<std::string, std::string> stored;
    const char* shown;
  } cases[] = {
      {{}, "0 0 0 0"},  // the first start
      {{{"cRound", "1"}, {"rDecimalPoint", "2"}}, "0 1 2 0"},
      {{{"cRound", "1"}}, "0 1 0 0"},
      // Digits are restored even while rounding is off.
      {{{"cRound", "0"}, {"rDecimalPoint", "3"}}, "0 0 3 0"},
      {{{"mSpace", "14"}}, "14 0 0 0"},
      {{{"mSpace", "7x"}}, "7 0 0 0"},
      {{{"mSpace", "ab"}}, "0 0 0 0"},
      {{{"Disc", "3"}}, "0 0 0 3"},
      // The integer read rounds half to even.
      {{{"Disc", "3.7"}}, "0 0 0 4"},
      {{{"Disc", "2.5"}}, "0 0 0 2"},
      {{{"cRound", "0.6"}}, "0 1 0 0"},
      // Values no entry fits leave the default entry.
      {{{"Disc", "9"}}, "0 0 0 0"},
      {{{"Disc", "-1"}}, "0 0 0 0"},
      {{{"Disc", "1e300"}}, "0 0 0 0"},
      {{{"rDecimalPoint", "7"}}, "0 0 0 0"},
      {{{"rDecimalPoint", "2.5"}}, "0 0 0 0"},
      {{{"cRound", "2"}}, "0 0 0 0"},
      {{{"mSpace", "123"}}, "0 0 0 0"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(::testing::PrintToString(test.stored));
    OpenOver(test.stored);
    EXPECT_EQ(Shown(), test.shown);
    EXPECT_EQ(Get<QComboBox>("CmbDSFormat")->currentText(), "0.##");
    EXPECT_EQ(Get<QListWidget>("FiList")->count(), 0);
    EXPECT_TRUE(store_.saves.empty());
  }
}

TEST_F(FrmConvertOptionsTest, EveryOptionChangeSavesAllFourAsShown) {
  const struct {
    std::map<std::string, std::string> stored;
    const char* control;
    int pick;  // the entry picked; -1 clicks the control
    const char* shown;
  } cases[] = {
      // Ticking ChRound by hand resets the digits; unticking keeps them.
      {{{"mSpace", "9"}, {"rDecimalPoint", "2"}}, "ChRound", -1, "9 1 0 0"},
      {{{"cRound", "1"}, {"rDecimalPoint", "3"}}, "ChRound", -1, "0 0 3 0"},
      {{{"cRound", "1"}}, "cRndNum", 2, "0 1 2 0"},
      {{}, "CmbDisc", 3, "0 0 0 3"},
      {{}, "CmbDSFormat", 1, "0 0 0 0"},  // not an option: nothing saved
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.control);
    OpenOver(test.stored);
    if (test.pick < 0) {
      QTest::mouseClick(Get(test.control), Qt::LeftButton);
    } else {
      Get<QComboBox>(test.control)->setCurrentIndex(test.pick);
    }
    EXPECT_EQ(Shown(), test.shown);
    const bool option = test.control != std::string("CmbDSFormat");
    EXPECT_EQ(LastSaved(), option ? test.shown : "");
  }
}

TEST_F(FrmConvertOptionsTest, EveryKeystrokeInMaxSpaceSavesAllFour) {
  auto* space = Get<QLineEdit>("txtSpace");
  space->clear();
  store_.saves.clear();
  const struct {
    Qt::Key key;
    const char* text;
    const char* saved;
  } steps[] = {
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
  modals_.on_dialog = [](QDialog& dialog) { dialog.reject(); };
  Get<QAction>("MnuRegistry")->trigger();
  EXPECT_TRUE(store_.saves.empty());

  modals_.on_dialog = [](QDialog& dialog) {
    EXPECT_EQ(dialog.findChild<QLabel*>("Location")->text(),
              "/home/user/.config/Tarnwick/Settings.conf");
    EXPECT_EQ(dialog.findChild<QLabel*>("AppFolder")->text(),
              "/home/user/Documents/Tarnwick");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("mSpace")->text(), "0");
    dialog.findChild<QLineEdit*>("mSpace")->setText("20");
    dialog.findChild<QCheckBox*>("cRound")->setChecked(true);
    dialog.findChild<QComboBox*>("rDecimalPoint")->setCurrentIndex(3);
    dialog.findChild<QComboBox*>("Disc")->setCurrentIndex(2);
    dialog.accept();
  };
  Get<QAction>("MnuRegistry")->trigger();
  EXPECT_EQ(store_.saves.size(), 4u);
  EXPECT_EQ(LastSaved(), "20 1 3 2");
  EXPECT_EQ(Shown(), "20 1 3 2");
}

using FrmConvertLayoutTest = test::WindowTest;

struct Placement {
  const char* name;
  const char* text;          // a label's caption, else the control's tool tip
  const char* entries = "";  // of a drop-down, split at spaces
  const char* parent = "FrmConvert";
};

const Placement kPlacements[] = {
    {"Label2", "DRIVE(S)"},
    {"DrvList", ""},
    {"Label1", "DIRECTORIES"},
    {"DirList", ""},
    {"Label4", "FILE(S)"},
    {"FiList", "Your Pricelists"},
    {"BtnDBF", "Convert DBF Files"},
    {"BtnCSV", "Convert CSV Files"},
    {"nDate", "Check to deduct discount"},
    {"Label9", "NO DATE"},
    {"Label7", "DISC. LVL"},
    {"CmbDisc", "", "0 1 2 3 4 5"},
    {"Label5", "DISC. FORMAT"},
    {"CmbDSFormat", "", "0.## 100%"},
    {"Label24", "MAX SPACE"},
    {"txtSpace", ""},
    {"Label6", "ROUND DOWN"},
    {"ChRound", "Check to round up your price figure"},
    {"cRndNum", "Digits after decimal points.", "0 1 2 3"},
    {"BtnRead", "Read Price File"},
    {"BtnWrite", "Convert into Octonus Format."},
    {"Label3", "PRICE FILE(S)"},
    {"CHKall", ""},
    {"Label8", "SELECT ALL"},
    {"List", "Your Pricelists"},
    {"pPic", ""},
    {"pCap", "Please wait...", "", "pPic"},
    {"pBar", "", "", "pPic"},
    {"pVal", "0%", "", "pPic"},
    {"Image1", ""},
};

TEST_F(FrmConvertLayoutTest, EveryControlShowsItsTextsAndNoneCoversAnother) {
  EXPECT_EQ(window_->windowTitle(), "Tarnwick (Ver : 1.1.0)");
  EXPECT_EQ(window_->size(), QSize(663, 403));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());  // fixed
  EXPECT_FALSE(window_->windowFlags().testAnyFlags(
      Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  for (const Placement& p : kPlacements) {
    SCOPED_TRACE(p.name);
    QWidget* control = Get(p.name);
    EXPECT_EQ(control->parentWidget()->objectName(), p.parent);
    EXPECT_TRUE(control->parentWidget()->rect().contains(control->geometry()));
    for (const Placement& other : kPlacements) {
      if (&other != &p && std::string_view(other.parent) == p.parent) {
        EXPECT_FALSE(
            control->geometry().intersects(Get(other.name)->geometry()))
            << other.name;
      }
    }
    auto* label = qobject_cast<QLabel*>(control);
    if (label != nullptr && label->pixmap().isNull()) {
      EXPECT_EQ(label->text(), p.text);
      // The whole caption fits its box.
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                label->width());
    } else {
      EXPECT_EQ(control->toolTip(), p.text);
    }
    if (*p.entries != '\0') {
      auto* box = Get<QComboBox>(p.name);
      EXPECT_FALSE(box->isEditable());
      QStringList entries;
      for (int i = 0; i < box->count(); ++i) entries << box->itemText(i);
      EXPECT_EQ(entries.join(' '), p.entries);
    }
  }
}

TEST_F(FrmConvertLayoutTest, TabGoesThroughTheControlsInTheirOrder) {
  const QString order =
      "DrvList DirList BtnDBF nDate CmbDisc CmbDSFormat BtnCSV txtSpace "
      "ChRound cRndNum BtnRead BtnWrite CHKall List FiList";
  QStringList seen;
  for (QWidget* widget = Get("DrvList"); seen.size() <= order.count(' ');
       widget = widget->nextInFocusChain()) {
    if (order.split(' ').contains(widget->objectName())) {
      seen << widget->objectName();
    }
  }
  EXPECT_EQ(seen.join(' '), order);
}

}  // namespace
}  // namespace tarnwick
