// The window as it is drawn: every control at its place with its caption or
// tool tip and its entries, and the tab order.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>

#include "window_test_support.h"

namespace tarnwick {
namespace {

using FrmConvertLayoutTest = testing::WindowTest;

struct Placement {
  const char* name;
  QRect place;
  const char* text;          // a label's caption, else the control's tool tip
  const char* entries = "";  // of a drop-down, split at spaces
  const char* parent = "FrmConvert";
};

const Placement kPlacements[] = {
    {"Label2", {90, 30, 44, 13}, "DRIVE(S)"},
    {"DrvList", {90, 46, 217, 24}, ""},
    {"Label1", {90, 80, 68, 13}, "DIRECTORIES"},
    {"DirList", {90, 96, 217, 142}, ""},
    {"Label4", {92, 248, 35, 13}, "FILE(S)"},
    {"FiList", {90, 264, 217, 94}, "Your Pricelists"},
    {"BtnDBF", {330, 66, 37, 37}, "Convert DBF Files"},
    {"BtnCSV", {372, 66, 37, 37}, "Convert CSV Files"},
    {"nDate", {322, 116, 13, 15}, "Check to deduct discount"},
    {"Label9", {340, 116, 45, 14}, "NO DATE"},
    {"Label7", {322, 154, 49, 14}, "DISC. LVL"},
    {"CmbDisc", {376, 152, 41, 21}, "", "0 1 2 3 4 5"},
    {"Label5", {322, 178, 72, 14}, "DISC. FORMAT"},
    {"CmbDSFormat", {322, 194, 95, 21}, "", "0.## 100%"},
    {"Label24", {322, 232, 56, 13}, "MAX SPACE"},
    {"txtSpace", {322, 246, 95, 21}, ""},
    {"Label6", {322, 272, 71, 13}, "ROUND DOWN"},
    {"ChRound", {322, 290, 13, 15}, "Check to round up your price figure"},
    {"cRndNum", {340, 286, 77, 21}, "Digits after decimal points.", "0 1 2 3"},
    {"BtnRead", {332, 322, 37, 37}, "Read Price File"},
    {"BtnWrite", {374, 322, 37, 37}, "Convert into Octonus Format."},
    {"Label3", {428, 32, 68, 13}, "PRICE FILE(S)"},
    {"CHKall", {558, 30, 13, 15}, ""},
    {"Label8", {574, 30, 71, 14}, "SELECT ALL"},
    {"List", {426, 48, 217, 310}, "Your Pricelists"},
    {"pPic", {88, 364, 555, 37}, ""},
    {"pCap", {4, 2, 191, 13}, "Please wait...", "", "pPic"},
    {"pBar", {2, 16, 517, 17}, "", "", "pPic"},
    {"pVal", {519, 16, 33, 16}, "0%", "", "pPic"},
    {"Image1", {0, 0, 69, 402}, ""},
};

TEST_F(FrmConvertLayoutTest, EveryControlSitsAtItsPlaceWithItsTexts) {
  EXPECT_EQ(window_->windowTitle(), "Tarnwick (Ver : 1.1.0)");
  EXPECT_EQ(window_->size(), QSize(663, 403));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());  // fixed
  EXPECT_FALSE(window_->windowFlags().testAnyFlags(
      Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  for (const Placement& p : kPlacements) {
    SCOPED_TRACE(p.name);
    QWidget* control = Get(p.name);
    EXPECT_EQ(control->parentWidget()->objectName(), p.parent);
    EXPECT_EQ(control->geometry(), p.place);
    auto* label = qobject_cast<QLabel*>(control);
    if (label != nullptr && label->pixmap().isNull()) {
      EXPECT_EQ(label->text(), p.text);
      // The whole caption fits its box.
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                p.place.width());
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
