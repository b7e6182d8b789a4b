// The host as the core sees it on the window: questions, the pointer and the
// progress bar's figures and repaints. (Message boxes and the panel's texts
// are checked where the window's commands show them.)

#include "app/window_host.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QProgressBar>

#include "window_test_support.h"

namespace tarnwick {
namespace {

class WindowHostTest : public test::WindowTest {
 protected:
  Host& host_ = window_->host();
};

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

TEST_F(WindowHostTest, AMessageShowsItsDetailAndTheArrowOverTheBusyPointer) {
  host_.SetBusyPointer(true);
  host_.SetBusyPointer(true);  // not stacked: one restore ends it
  host_.ShowMessage("File Not Proper", MessageIcon::kInformation, "Sheet Pear");
  ASSERT_EQ(modals_.seen.size(), 1u);
  EXPECT_EQ(modals_.seen[0].icon, QMessageBox::Information);
  EXPECT_EQ(modals_.seen[0].detail, "Sheet Pear");
  EXPECT_FALSE(modals_.seen[0].busy);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  host_.SetBusyPointer(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WindowHostTest, TheBarShowsFractionalMaximaAndKeepsTheExactFigures) {
  const struct {
    double max, value, filled;
  } cases[] = {
      {20.0 / 7, 1, 0.35},  // a CSV file of 20 items: 20/7 records
      {20.0 / 7, 4, 1},     // past the maximum: a full bar
      {0, 4, 0},
  };
  auto* bar = Get<QProgressBar>("pBar");
  for (const auto& test : cases) {
    SCOPED_TRACE(test.filled);
    host_.SetProgressMax(test.max);
    host_.SetProgressValue(test.value);
    host_.SetProgressVisible(true);  // showing the panel always paints
    host_.Repaint();
    EXPECT_DOUBLE_EQ(host_.ProgressMax(), test.max);
    EXPECT_DOUBLE_EQ(host_.ProgressValue(), test.value);
    EXPECT_DOUBLE_EQ(bar->value() / double(bar->maximum()), test.filled);
  }
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
