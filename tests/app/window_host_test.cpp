// The host as the core sees it on the window: questions, the pointer and the
// progress panel's figures and repaints.

#include "app/window_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QProgressBar>

#include "window_test_support.h"

namespace tarnwick {
namespace {

class WindowHostTest : public testing::WindowTest {
 protected:
  Host& host_ = window_->host();
};

// Message boxes are shown through the window (see the command tests);
// questions are the core's alone.
TEST_F(WindowHostTest, QuestionsAnswerYesOrNo) {
  const char* question =
      "Discount-2file not exist!!!\r\nDo you want to continue?";
  modals_.answers = {true, false};
  EXPECT_TRUE(host_.AskYesNo(question));
  EXPECT_FALSE(host_.AskYesNo(question));
  ASSERT_EQ(modals_.seen.size(), 2u);
  EXPECT_EQ(modals_.seen[1].text, question);
  EXPECT_EQ(modals_.seen[1].icon, QMessageBox::Question);
}

TEST_F(WindowHostTest, TheBusyPointerGivesWayToTheArrowWhileABoxIsUp) {
  host_.SetBusyPointer(true);
  host_.SetBusyPointer(true);  // not stacked: one restore ends it
  bool arrow = false;
  modals_.while_shown = [&] {
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
  auto* bar = Get<QProgressBar>("pBar");
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
  EXPECT_EQ(Get<QLabel>("pVal")->text(), "35%");
  EXPECT_EQ(Get<QLabel>("pCap")->text(), "Converting(ROUND)");
  EXPECT_TRUE(Get("pPic")->isVisible());
  host_.SetProgressVisible(false);
  EXPECT_FALSE(Get("pPic")->isVisible());
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

}  // namespace
}  // namespace tarnwick
