// The four command buttons around their operations: the empty-list check of
// the imports, the folder and options handed on, the buttons disabled while
// one runs, and the window left usable however the operation ends.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "app/folder_list.h"
#include "core/error.h"
#include "support/temp_dir.h"
#include "window_test_support.h"

namespace tarnwick {
namespace {

using testing::Control;
using testing::MemorySettingsStore;
using testing::MessageBoxAnswerer;
using testing::OpenWindow;
using testing::ScriptedOperations;
using testing::TempDir;
using testing::WriteBytes;

const char* const kButtons[] = {"BtnRead", "BtnWrite", "BtnDBF", "BtnCSV"};

bool Busy() {
  return QApplication::overrideCursor() != nullptr &&
         QApplication::overrideCursor()->shape() == Qt::WaitCursor;
}

class FrmConvertCommandsTest : public ::testing::Test {
 protected:
  FrmConvertCommandsTest() {
    auto operations = std::make_unique<ScriptedOperations>();
    ops_ = operations.get();
    calls_ = operations->calls;
    window_ = OpenWindow(store_, std::move(operations), "/srv/tarnwick");
  }

  // Points the folder list at a folder holding one CSV and one DBF file.
  void PickFolderWithPriceLists() {
    WriteBytes(folder_ / "round.csv", "x");
    WriteBytes(folder_ / "rnddat.dbf", "x");
    Control<FolderList>(*window_, "DirList")
        ->SetPath(QString::fromStdString(folder_.path().string()));
  }

  // The operation of `button`, as the test scripts it.
  std::function<void(Host&)>& OperationOf(const std::string& button) {
    if (button == "BtnRead") return ops_->on_read;
    if (button == "BtnWrite") return ops_->on_convert;
    return ops_->on_import;
  }

  void Click(const char* button) {
    QTest::mouseClick(Control<QPushButton>(*window_, button), Qt::LeftButton);
  }

  void ExpectIdleWindow() {
    auto* panel = Control<QLabel>(*window_, "pPic");
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(Control<QProgressBar>(*window_, "pBar")->value(), 0);
    EXPECT_EQ(Control<QLabel>(*window_, "pVal")->text(), "0%");
    EXPECT_EQ(Control<QLabel>(*window_, "pCap")->text(), "Please wait...");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    for (const char* name : kButtons) {
      EXPECT_TRUE(Control<QPushButton>(*window_, name)->isEnabled()) << name;
    }
    EXPECT_FALSE(window_->OperationRunning());
  }

  MemorySettingsStore store_;
  TempDir folder_;
  ScriptedOperations* ops_;
  std::shared_ptr<ScriptedOperations::Calls> calls_;
  std::unique_ptr<FrmConvert> window_;
  MessageBoxAnswerer boxes_;
};

TEST_F(FrmConvertCommandsTest, ImportsWithAnEmptyFileListSayThereIsNoFile) {
  for (const char* button : {"BtnDBF", "BtnCSV"}) {
    SCOPED_TRACE(button);
    boxes_.seen.clear();
    Click(button);
    ASSERT_EQ(boxes_.seen.size(), 1u);
    EXPECT_EQ(boxes_.seen[0].text, "There is no file to read...");
    EXPECT_EQ(boxes_.seen[0].icon, QMessageBox::Information);
    ExpectIdleWindow();
  }
  EXPECT_EQ(calls_->dbf + calls_->csv, 0);
}

TEST_F(FrmConvertCommandsTest, ImportsReadTheFolderOfTheFolderList) {
  PickFolderWithPriceLists();
  ops_->on_import = [&](Host& host) {
    EXPECT_TRUE(Control<QLabel>(*window_, "pPic")->isVisible());
    EXPECT_EQ(Control<QLabel>(*window_, "pCap")->text(), "Please wait...");
    EXPECT_EQ(Control<QLabel>(*window_, "pVal")->text(), "0%");
    EXPECT_TRUE(Busy());
    host.SetProgressMax(5);
    host.SetProgressValue(4);
    host.SetProgressPercent("80%");
    host.SetProgressCaption("Converting(rnddat)");
    host.Repaint();
    EXPECT_EQ(Control<QLabel>(*window_, "pCap")->text(), "Converting(rnddat)");
  };
  Click("BtnDBF");
  Click("BtnCSV");
  EXPECT_EQ(calls_->dbf, 1);
  EXPECT_EQ(calls_->csv, 1);
  EXPECT_EQ(calls_->folder, folder_.path());
  EXPECT_TRUE(boxes_.seen.empty());
  ExpectIdleWindow();
}

TEST_F(FrmConvertCommandsTest, ReadAndConvertGetTheOptionsOfTheControls) {
  Control<QComboBox>(*window_, "CmbDisc")->setCurrentIndex(2);
  Control<QComboBox>(*window_, "CmbDSFormat")->setCurrentIndex(1);
  Click("BtnRead");
  EXPECT_EQ(calls_->options.app_folder, "/srv/tarnwick");
  EXPECT_EQ(calls_->options.disc_level, 2);
  EXPECT_EQ(calls_->options.disc_format, DiscountFormat::kPercentOff);

  Control<QComboBox>(*window_, "CmbDSFormat")->setCurrentIndex(0);
  Click("BtnWrite");
  EXPECT_EQ(calls_->read, 1);
  EXPECT_EQ(calls_->convert, 1);
  EXPECT_EQ(calls_->options.disc_format, DiscountFormat::kMultiplier);
}

TEST_F(FrmConvertCommandsTest, TheCommandButtonsAreDisabledWhileOneRuns) {
  PickFolderWithPriceLists();
  for (const char* button : kButtons) {
    SCOPED_TRACE(button);
    bool ran = false;
    OperationOf(button) = [&](Host& host) {
      ran = true;
      for (const char* name : kButtons) {
        EXPECT_FALSE(Control<QPushButton>(*window_, name)->isEnabled()) << name;
      }
      // The options stay at hand, and a click that gets through while the
      // operation lets events in starts nothing.
      EXPECT_TRUE(Control<QLineEdit>(*window_, "txtSpace")->isEnabled());
      Click("BtnRead");
      Click("BtnCSV");
      host.ProcessPendingEvents();
    };
    Click(button);
    EXPECT_TRUE(ran);
    ExpectIdleWindow();
  }
  EXPECT_EQ(calls_->read, 1);
  EXPECT_EQ(calls_->convert, 1);
  EXPECT_EQ(calls_->dbf, 1);
  EXPECT_EQ(calls_->csv, 1);
}

TEST_F(FrmConvertCommandsTest, EveryWayAnOperationEndsLeavesTheWindowIdle) {
  PickFolderWithPriceLists();
  const std::function<void(Host&)> endings[] = {
      // Leaves the panel up with the pointer busy.
      [](Host& host) {
        host.SetBusyPointer(true);
        host.SetProgressVisible(true);
        host.SetProgressValue(3);
        host.SetProgressPercent("30%");
        host.SetProgressCaption("Writing(Round)");
      },
      // Fails with a reason nobody caught.
      [](Host& host) {
        host.SetBusyPointer(true);
        host.SetProgressVisible(true);
        throw Error("Price.xls: the sheet Round cannot be read");
      },
  };
  for (const char* button : kButtons) {
    for (const auto& ending : endings) {
      SCOPED_TRACE(button);
      boxes_.seen.clear();
      OperationOf(button) = ending;
      Click(button);
      ExpectIdleWindow();
    }
    ASSERT_EQ(boxes_.seen.size(), 1u);
    EXPECT_EQ(boxes_.seen[0].text, "Price.xls: the sheet Round cannot be read");
    EXPECT_EQ(boxes_.seen[0].icon, QMessageBox::Critical);
  }
}

TEST_F(FrmConvertCommandsTest, EscapeDuringAConversionReachesTheOperation) {
  auto* list = Control<QListWidget>(*window_, "List");
  bool cancelled = false;
  ops_->on_convert = [&](Host& host) {
    host.SetCancelFlag(false);
    list->setFocus();
    QCoreApplication::postEvent(
        list, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    EXPECT_FALSE(host.CancelFlag());
    host.ProcessPendingEvents();
    cancelled = host.CancelFlag();
  };
  Click("BtnWrite");
  EXPECT_TRUE(cancelled);
}

TEST_F(FrmConvertCommandsTest, NoMenuAndNoClosingCutIntoARunningOperation) {
  auto* menu = Control<QMenu>(*window_, "MnuFile");
  ops_->on_convert = [&](Host& host) {
    host.SetCancelFlag(false);
    QTest::mouseClick(window_.get(), Qt::RightButton, {}, QPoint(300, 10));
    EXPECT_FALSE(menu->isVisible());
    window_->close();
    host.ProcessPendingEvents();
    EXPECT_TRUE(window_->isVisible());
    EXPECT_TRUE(host.CancelFlag());  // the run stops at its next row
  };
  Click("BtnWrite");
  EXPECT_FALSE(window_->isVisible());  // and the window closes after it
}

}  // namespace
}  // namespace tarnwick
