// The window as it is drawn: every control with its caption or tool tip and
// its entries, none covering another, and the tab order.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <string_view>

#include "window_test_support.h"

namespace tarnwick {
namespace {

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
