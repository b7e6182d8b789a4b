// The host as the core sees it on the window: message boxes, the progress
// panel's figures, the pointer and the sheet list.

#include "app/window_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>

#include "window_test_support.h"

namespace tarnwick {
namespace {

using testing::Control;
using testing::MemorySettingsStore;
using testing::MessageBoxAnswerer;
using testing::OpenWindow;

class WindowHostTest : public ::testing::Test {
 protected:
  MemorySettingsStore store_;
  std::unique_ptr<FrmConvert> window_ = OpenWindow(store_);
  Host& host_ = window_->host();
  MessageBoxAnswerer boxes_;
};

TEST_F(WindowHostTest, MessagesShowTheirExactTextIconAndDetail) {
  host_.ShowMessage("File Not Proper\r\nPlease Check this file",
                    MessageIcon::kInformation,
                    "Sheet Round: row 7: not a number");
  host_.ShowMessage("Discount-2file not exist!!!", MessageIcon::kCritical);
  ASSERT_EQ(boxes_.seen.size(), 2u);
  EXPECT_EQ(boxes_.seen[0].text, "File Not Proper\r\nPlease Check this file");
  EXPECT_EQ(boxes_.seen[0].icon, QMessageBox::Information);
  EXPECT_EQ(boxes_.seen[0].detail, "Sheet Round: row 7: not a number");
  EXPECT_EQ(boxes_.seen[1].text, "Discount-2file not exist!!!");
  EXPECT_EQ(boxes_.seen[1].icon, QMessageBox::Critical);
  EXPECT_EQ(boxes_.seen[1].detail, "");
}

TEST_F(WindowHostTest, QuestionsAnswerYesOrNo) {
  boxes_.answers = {true, false};
  EXPECT_TRUE(host_.AskYesNo("Continue?"));
  EXPECT_FALSE(host_.AskYesNo("Continue?"));
  ASSERT_EQ(boxes_.seen.size(), 2u);
  EXPECT_EQ(boxes_.seen[0].icon, QMessageBox::Question);
}

TEST_F(WindowHostTest, TheBusyPointerGivesWayToTheArrowWhileABoxIsUp) {
  host_.SetBusyPointer(true);
  host_.SetBusyPointer(true);  // not stacked: one restore ends it
  bool arrow = false;
  boxes_.while_shown = [&] {
    arrow = QApplication::overrideCursor() == nullptr;
  };
  host_.ShowMessage("Price file not exist!!!", MessageIcon::kInformation);
  EXPECT_TRUE(arrow);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  host_.SetBusyPointer(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WindowHostTest, TheBarShowsFractionalMaximaAndKeepsTheExactFigures) {
  auto* bar = Control<QProgressBar>(*window_, "pBar");
  // Showing the panel always paints at once.
  auto show_panel = [&] {
    host_.SetProgressVisible(true);
    host_.Repaint();
  };
  host_.SetProgressMax(20.0 / 7);
  host_.SetProgressValue(1);
  show_panel();
  EXPECT_DOUBLE_EQ(host_.ProgressMax(), 20.0 / 7);
  EXPECT_DOUBLE_EQ(host_.ProgressValue(), 1);
  EXPECT_EQ(bar->value() * 20, bar->maximum() * 7);  // 35%
  host_.SetProgressValue(4);  // past the maximum: a full bar
  show_panel();
  EXPECT_EQ(bar->value(), bar->maximum());
  host_.SetProgressMax(0);
  show_panel();
  EXPECT_EQ(bar->value(), 0);
  host_.SetProgressPercent("35%");
  host_.SetProgressCaption("Converting(ROUND)");
  EXPECT_EQ(Control<QLabel>(*window_, "pVal")->text(), "35%");
  EXPECT_EQ(Control<QLabel>(*window_, "pCap")->text(), "Converting(ROUND)");
  host_.SetProgressVisible(true);
  EXPECT_TRUE(Control<QLabel>(*window_, "pPic")->isVisible());
  host_.SetProgressVisible(false);
  EXPECT_FALSE(Control<QLabel>(*window_, "pPic")->isVisible());
}

// Counts the paints a widget receives.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST_F(WindowHostTest, RepaintsComeAtMostAboutThirtyASecond) {
  PaintCounter counter;
  window_->installEventFilter(&counter);
  host_.SetProgressVisible(true);
  for (int row = 0; row < 200; ++row) {
    host_.SetProgressValue(row);
    host_.Repaint();
  }
  // One paint for the panel coming up; the rest fall within the same few
  // hundredths of a second.
  EXPECT_GE(counter.paints, 1);
  EXPECT_LE(counter.paints, 5);
  EXPECT_DOUBLE_EQ(host_.ProgressValue(), 199);  // the figures still follow
  counter.paints = 0;
  host_.SetProgressVisible(false);
  host_.Repaint();  // hiding the panel always shows at once
  EXPECT_EQ(counter.paints, 1);
}

TEST_F(WindowHostTest, TheSheetListKeepsNamesSelectionAndCurrentEntry) {
  auto* list = Control<QListWidget>(*window_, "List");
  for (const char* name : {"Round", "Pear", "Ovale ü"}) {
    host_.AddSheetListEntry(name);
  }
  ASSERT_EQ(host_.SheetListCount(), 3);
  EXPECT_EQ(host_.SheetListEntry(2), "Ovale ü");
  EXPECT_FALSE(host_.SheetListSelected(0));
  host_.SetSheetListSelected(1, true);
  EXPECT_TRUE(host_.SheetListSelected(1));
  EXPECT_EQ(list->item(1)->checkState(), Qt::Checked);
  host_.SetSheetListCurrent(2);
  EXPECT_EQ(list->currentRow(), 2);

  host_.SetSelectAll(true);
  EXPECT_TRUE(Control<QCheckBox>(*window_, "CHKall")->isChecked());
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(host_.SheetListSelected(i));
  host_.SetSelectAll(false);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(host_.SheetListSelected(i));

  host_.ClearSheetList();
  EXPECT_EQ(host_.SheetListCount(), 0);
}

}  // namespace
}  // namespace tarnwick
