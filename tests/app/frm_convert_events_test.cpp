// The window's own events: Escape, the pop-up menu, CHKall, the folder and
// file lists and File > Registry.

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "app/drive_list.h"
#include "app/folder_list.h"
#include "support/temp_dir.h"
#include "window_test_support.h"

namespace tarnwick {
namespace {

using testing::Control;
using testing::MemorySettingsStore;
using testing::OpenWindow;
using testing::TempDir;
using testing::WriteBytes;

QStringList Entries(const QListWidget& list) {
  QStringList texts;
  for (int i = 0; i < list.count(); ++i) texts << list.item(i)->text();
  return texts;
}

class FrmConvertEventsTest : public ::testing::Test {
 protected:
  MemorySettingsStore store_;
  std::unique_ptr<FrmConvert> window_ = OpenWindow(store_);
};

TEST_F(FrmConvertEventsTest, TabGoesThroughTheControlsInTheirOrder) {
  const QStringList order = {"DrvList", "DirList",     "BtnDBF",  "nDate",
                             "CmbDisc", "CmbDSFormat", "BtnCSV",  "txtSpace",
                             "ChRound", "cRndNum",     "BtnRead", "BtnWrite",
                             "CHKall",  "List",        "FiList"};
  QStringList seen;
  QWidget* widget = Control<QWidget>(*window_, "DrvList");
  while (seen.size() < order.size()) {
    if (order.contains(widget->objectName())) seen << widget->objectName();
    widget = widget->nextInFocusChain();
  }
  EXPECT_EQ(seen, order);
}

TEST_F(FrmConvertEventsTest, EscapeSetsCancelFlagWhateverHasTheFocus) {
  for (const char* name : {"List", "FiList", "DirList", "txtSpace", "CmbDisc",
                           "BtnRead", "CHKall"}) {
    SCOPED_TRACE(name);
    auto* control = Control<QWidget>(*window_, name);
    window_->host().SetCancelFlag(false);
    control->setFocus();
    QTest::keyClick(control, Qt::Key_A);
    EXPECT_FALSE(window_->CancelFlag());
    QTest::keyClick(control, Qt::Key_Escape);
    EXPECT_TRUE(window_->CancelFlag());
  }
  EXPECT_TRUE(window_->isVisible());  // Escape does not close the window
}

TEST_F(FrmConvertEventsTest, RightClickOpensTheFileMenuOnTheBackgroundOnly) {
  auto* menu = Control<QMenu>(*window_, "MnuFile");
  for (const char* name : {"Label2", "List", "FiList", "Image1", "BtnRead",
                           "txtSpace", "ChRound"}) {
    SCOPED_TRACE(name);
    QTest::mouseClick(Control<QWidget>(*window_, name), Qt::RightButton);
    EXPECT_FALSE(menu->isVisible());
  }
  QTest::mouseClick(window_.get(), Qt::LeftButton, {}, QPoint(300, 10));
  EXPECT_FALSE(menu->isVisible());
  QTest::mouseClick(window_.get(), Qt::RightButton, {}, QPoint(300, 10));
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(menu->title(), "File");
  QStringList items;
  for (QAction* action : menu->actions()) items << action->text();
  EXPECT_EQ(items, (QStringList{"Registry", "Exit"}));
  menu->hide();
}

TEST_F(FrmConvertEventsTest, ExitClosesTheWindow) {
  Control<QAction>(*window_, "MnuExit")->trigger();
  EXPECT_FALSE(window_->isVisible());
}

TEST_F(FrmConvertEventsTest, SelectAllTicksAndClearsEveryEntry) {
  auto* all = Control<QCheckBox>(*window_, "CHKall");
  auto* list = Control<QListWidget>(*window_, "List");
  QTest::mouseClick(all, Qt::LeftButton);  // an empty list: nothing to do
  EXPECT_EQ(list->count(), 0);
  QTest::mouseClick(all, Qt::LeftButton);

  Host& host = window_->host();
  for (const char* sheet : {"Round", "Pear", "Oval"}) {
    host.AddSheetListEntry(sheet);
  }
  host.SetSheetListSelected(1, true);
  QTest::mouseClick(all, Qt::LeftButton);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(host.SheetListSelected(i)) << i;
  QTest::mouseClick(all, Qt::LeftButton);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(host.SheetListSelected(i)) << i;
  EXPECT_TRUE(store_.saves.empty());  // CHKall is not an option
}

TEST_F(FrmConvertEventsTest, EnteringAFolderListsItsCsvAndDbfFiles) {
  TempDir dir;
  for (const char* name : {"price.CSV", "list.dbf", "notes.txt", "a.csvx"}) {
    WriteBytes(dir / name, "x");
  }
  std::filesystem::create_directory(dir / "inner");
  std::filesystem::create_directory(dir / "Alpha");
  auto* folders = Control<FolderList>(*window_, "DirList");
  auto* files = Control<QListWidget>(*window_, "FiList");
  const QString root = QString::fromStdString(dir.path().string());

  folders->SetPath(root);
  EXPECT_EQ(folders->Path(), root);
  EXPECT_EQ(Entries(*files), (QStringList{"list.dbf", "price.CSV"}));
  // The chain down to the folder, then its subfolders in name order.
  QStringList entries = Entries(*folders);
  EXPECT_EQ(entries.first(), "/");
  EXPECT_EQ(entries.mid(entries.size() - 3),
            (QStringList{dir.path().filename().c_str(), "Alpha", "inner"}));

  // A single click only highlights; a double click enters.
  QListWidgetItem* inner = folders->item(folders->count() - 1);
  const QPoint at = folders->visualItemRect(inner).center();
  QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(folders->Path(), root);
  QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(folders->Path(), root + "/inner");
  EXPECT_EQ(files->count(), 0);
}

TEST_F(FrmConvertEventsTest, DoubleClickingTheCurrentFolderReadsItAgain) {
  TempDir dir;
  auto* folders = Control<FolderList>(*window_, "DirList");
  auto* files = Control<QListWidget>(*window_, "FiList");
  folders->SetPath(QString::fromStdString(dir.path().string()));
  EXPECT_EQ(files->count(), 0);
  WriteBytes(dir / "rnddat.DBF", "x");
  EXPECT_EQ(files->count(), 0);  // the list shows the folder as it was

  QListWidgetItem* current = folders->currentItem();
  ASSERT_NE(current, nullptr);
  // A double click is a click followed by the double-click event.
  const QPoint at = folders->visualItemRect(current).center();
  QTest::mouseClick(folders->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(folders->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(Entries(*files), QStringList{"rnddat.DBF"});
}

TEST_F(FrmConvertEventsTest, TheDriveListStartsWithTheRootAndFollowsTheFolder) {
  auto* drives = Control<DriveList>(*window_, "DrvList");
  ASSERT_GE(drives->count(), 1);
  EXPECT_EQ(drives->itemText(0), "/");
  TempDir dir;
  Control<FolderList>(*window_, "DirList")
      ->SetPath(QString::fromStdString(dir.path().string()));
  const QString root = drives->CurrentRoot();
  EXPECT_TRUE(QString::fromStdString(dir.path().string()).startsWith(root));
}

TEST_F(FrmConvertEventsTest, ADriveThatCannotBeReadIsNamedAndLeftAlone) {
  testing::MessageBoxAnswerer boxes;
  auto* drives = Control<DriveList>(*window_, "DrvList");
  auto* folders = Control<FolderList>(*window_, "DirList");
  const QString before = folders->Path();
  const QString root_before = drives->CurrentRoot();

  emit drives->DrivePicked("/media/no-such-card");

  ASSERT_EQ(boxes.seen.size(), 1u);
  EXPECT_EQ(boxes.seen[0].text,
            "The drive /media/no-such-card cannot be read.");
  EXPECT_EQ(folders->Path(), before);
  EXPECT_EQ(drives->CurrentRoot(), root_before);
}

TEST_F(FrmConvertEventsTest, PickingADriveShowsItsCurrentFolderAndItsFiles) {
  TempDir dir;
  WriteBytes(dir / "round.csv", "x");
  auto* drives = Control<DriveList>(*window_, "DrvList");
  auto* folders = Control<FolderList>(*window_, "DirList");
  auto* files = Control<QListWidget>(*window_, "FiList");
  const QString path = QString::fromStdString(dir.path().string());
  folders->SetPath(path);
  files->clear();

  emit drives->DrivePicked(drives->CurrentRoot());
  EXPECT_EQ(folders->Path(), path);
  EXPECT_EQ(Entries(*files), QStringList{"round.csv"});
}

TEST_F(FrmConvertEventsTest, RegistryShowsWhereTheOptionsLiveAndSavesEdits) {
  store_.saves.clear();
  bool shown = false;
  testing::WhenModal([&](QWidget& dialog) {
    shown = true;
    EXPECT_EQ(dialog.findChild<QLabel*>("Location")->text(),
              "/home/user/.config/Tarnwick/Settings.conf");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("mSpace")->text(), "0");
    dialog.findChild<QLineEdit*>("mSpace")->setText("20");
    dialog.findChild<QCheckBox*>("cRound")->setChecked(true);
    dialog.findChild<QComboBox*>("rDecimalPoint")->setCurrentIndex(3);
    dialog.findChild<QComboBox*>("Disc")->setCurrentIndex(2);
    static_cast<QDialog&>(dialog).accept();
  });
  Control<QAction>(*window_, "MnuRegistry")->trigger();
  ASSERT_TRUE(shown);

  EXPECT_EQ(store_.saves, (std::vector<std::pair<std::string, std::string>>{
                              {"mSpace", "20"},
                              {"cRound", "1"},
                              {"rDecimalPoint", "3"},
                              {"Disc", "2"}}));
  EXPECT_EQ(Control<QLineEdit>(*window_, "txtSpace")->text(), "20");
  EXPECT_TRUE(Control<QComboBox>(*window_, "cRndNum")->isEnabled());
  EXPECT_EQ(Control<QComboBox>(*window_, "cRndNum")->currentText(), "3");
  EXPECT_EQ(Control<QComboBox>(*window_, "CmbDisc")->currentText(), "2");
}

TEST_F(FrmConvertEventsTest, CancellingRegistryChangesNothing) {
  testing::WhenModal(
      [](QWidget& dialog) { static_cast<QDialog&>(dialog).reject(); });
  Control<QAction>(*window_, "MnuRegistry")->trigger();
  EXPECT_TRUE(store_.saves.empty());
}

}  // namespace
}  // namespace tarnwick
