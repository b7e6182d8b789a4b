// The window as drawn: every control with its caption or tool tip, inside
// its parent and clear of the others, and the order Tab goes through them.

#include "app/window_test.h"

namespace tarnwick::test {
namespace {

using FrmConvertLayoutTest = WindowTest;

// Every control by name with its caption if it has one, else its tool tip,
// column by column as the window shows them.
constexpr char kTexts[] =
    "Label2=DRIVE(S)|DrvList=|Label1=DIRECTORIES|DirList=|Label4=FILE(S)|"
    "FiList=Your Pricelists|BtnDBF=Convert DBF Files|BtnCSV=Convert CSV Files|"
    "nDate=Check to deduct discount|Label9=NO DATE|Label7=DISC. LVL|CmbDisc=|"
    "Label5=DISC. FORMAT|CmbDSFormat=|Label24=MAX SPACE|txtSpace=|"
    "Label6=ROUND DOWN|ChRound=Check to round up your price figure|"
    "cRndNum=Digits after decimal points.|BtnRead=Read Price File|"
    "BtnWrite=Convert into Octonus Format.|Label3=PRICE FILE(S)|CHKall=|"
    "Label8=SELECT ALL|List=Your Pricelists|pPic=|pCap=Please wait...|pBar=|"
    "pVal=0%|Image1=";

TEST_F(FrmConvertLayoutTest, EveryControlShowsItsTextsAndNoneCoversAnother) {
  EXPECT_EQ(window_->windowTitle(), "Tarnwick (Ver : 1.1.0)");
  EXPECT_EQ(window_->size(), QSize(663, 403));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());  // fixed
  EXPECT_FALSE(window_->windowFlags().testAnyFlags(
      Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  std::vector<QWidget*> placed;
  for (const QString& entry : QString(kTexts).split('|')) {
    const QString name = entry.section('=', 0, 0);
    SCOPED_TRACE(name.toStdString());
    QWidget* control = Get(qPrintable(name));
    const bool on_panel = QStringList{"pCap", "pBar", "pVal"}.contains(name);
    EXPECT_EQ(control->parentWidget(), on_panel ? Get("pPic") : window_.get());
    EXPECT_TRUE(control->parentWidget()->rect().contains(control->geometry()));
    for (QWidget* earlier : placed) {
      EXPECT_FALSE(earlier->parentWidget() == control->parentWidget() &&
                   earlier->geometry().intersects(control->geometry()))
          << earlier->objectName().toStdString();
    }
    placed.push_back(control);
    auto* label = qobject_cast<QLabel*>(control);
    const QString caption = label != nullptr ? label->text() : "";
    EXPECT_EQ(caption.isEmpty() ? control->toolTip() : caption,
              entry.section('=', 1));
    // The whole caption fits its box.
    EXPECT_LE(control->fontMetrics().horizontalAdvance(caption),
              control->width());
  }
  for (const char* entries :
       {"CmbDisc=0 1 2 3 4 5", "CmbDSFormat=0.## 100%", "cRndNum=0 1 2 3"}) {
    const std::string name = QString(entries).section('=', 0, 0).toStdString();
    EXPECT_FALSE(Get<QComboBox>(name.c_str())->isEditable());
    EXPECT_EQ(name + "=" + Entries<QComboBox>(name.c_str()), entries);
  }
}

TEST_F(FrmConvertLayoutTest, TabGoesThroughTheControlsInTheirOrder) {
  const QString order =
      "DrvList DirList BtnDBF nDate CmbDisc CmbDSFormat BtnCSV txtSpace "
      "ChRound cRndNum BtnRead BtnWrite CHKall List FiList";
  QStringList seen;
  for (QWidget* w = Get("DrvList"); seen.size() <= order.count(' ');
       w = w->nextInFocusChain()) {
    if (order.split(' ').contains(w->objectName())) seen << w->objectName();
  }
  EXPECT_EQ(seen.join(' '), order);
}

}  // namespace
}  // namespace tarnwick::test
