// Every control of the window at its place, with its caption or tool tip.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "window_test_support.h"

namespace tarnwick {
namespace {

using testing::Control;
using testing::MemorySettingsStore;
using testing::OpenWindow;

struct Placement {
  const char* name;
  QRect place;
  const char* text;  // a label's caption, else the control's tool tip
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
    {"CmbDisc", {376, 152, 41, 21}, ""},
    {"Label5", {322, 178, 72, 14}, "DISC. FORMAT"},
    {"CmbDSFormat", {322, 194, 95, 21}, ""},
    {"Label24", {322, 232, 56, 13}, "MAX SPACE"},
    {"txtSpace", {322, 246, 95, 21}, ""},
    {"Label6", {322, 272, 71, 13}, "ROUND DOWN"},
    {"ChRound", {322, 290, 13, 15}, "Check to round up your price figure"},
    {"cRndNum", {340, 286, 77, 21}, "Digits after decimal points."},
    {"BtnRead", {332, 322, 37, 37}, "Read Price File"},
    {"BtnWrite", {374, 322, 37, 37}, "Convert into Octonus Format."},
    {"Label3", {428, 32, 68, 13}, "PRICE FILE(S)"},
    {"CHKall", {558, 30, 13, 15}, ""},
    {"Label8", {574, 30, 71, 14}, "SELECT ALL"},
    {"List", {426, 48, 217, 310}, "Your Pricelists"},
    {"pPic", {88, 364, 555, 37}, ""},
    {"Image1", {0, 0, 69, 402}, ""},
};

TEST(FrmConvertLayoutTest, EveryControlSitsAtItsPlaceWithItsTexts) {
  MemorySettingsStore store;
  auto window = OpenWindow(store);
  EXPECT_EQ(window->size(), QSize(663, 403));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());  // fixed
  for (const Placement& p : kPlacements) {
    SCOPED_TRACE(p.name);
    auto* control = Control<QWidget>(*window, p.name);
    EXPECT_EQ(control->parentWidget(), window.get());
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
  }
}

TEST(FrmConvertLayoutTest, TheProgressPanelHoldsCaptionBarAndPercentage) {
  MemorySettingsStore store;
  auto window = OpenWindow(store);
  auto* panel = Control<QLabel>(*window, "pPic");
  EXPECT_FALSE(panel->isVisible());
  EXPECT_EQ(Control<QWidget>(*window, "pCap")->parentWidget(), panel);
  EXPECT_EQ(Control<QWidget>(*window, "pCap")->geometry(),
            QRect(4, 2, 191, 13));
  EXPECT_EQ(Control<QWidget>(*window, "pBar")->geometry(),
            QRect(2, 16, 517, 17));
  EXPECT_EQ(Control<QWidget>(*window, "pVal")->geometry(),
            QRect(519, 16, 33, 16));
}

TEST(FrmConvertLayoutTest, DropDownsOfferOnlyTheirEntries) {
  MemorySettingsStore store;
  auto window = OpenWindow(store);
  const std::pair<const char*, QStringList> lists[] = {
      {"CmbDisc", {"0", "1", "2", "3", "4", "5"}},
      {"CmbDSFormat", {"0.##", "100%"}},
      {"cRndNum", {"0", "1", "2", "3"}},
  };
  for (const auto& [name, entries] : lists) {
    SCOPED_TRACE(name);
    auto* box = Control<QComboBox>(*window, name);
    EXPECT_FALSE(box->isEditable());
    QStringList shown;
    for (int i = 0; i < box->count(); ++i) shown << box->itemText(i);
    EXPECT_EQ(shown, entries);
  }
  EXPECT_EQ(Control<QLineEdit>(*window, "txtSpace")->maxLength(), 2);
}

}  // namespace
}  // namespace tarnwick
