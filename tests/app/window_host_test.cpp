// The host as the core sees it on the window: questions and messages over
// the pointer, the progress bar's figures, and how often the window repaints.

#include "app/window_test.h"

namespace tarnwick::test {
namespace {

using WindowHostTest = WindowTest;

TEST_F(WindowHostTest, QuestionsAndMessagesShowWithTheArrowOverTheBusyPointer) {
  const std::string question =
      "Discount-2file not exist!!!\r\nDo you want to continue?";
  modals_.yeses = 1;
  host().SetBusyPointer(true);
  host().SetBusyPointer(true);  // not stacked: one restore ends it
  EXPECT_TRUE(host().AskYesNo(question));
  EXPECT_FALSE(host().AskYesNo(question));
  host().ShowMessage("File Not Proper", MessageIcon::kInformation,
                     "Sheet Pear");
  EXPECT_EQ(modals_.seen,
            (Lines{"Question: " + question, "Question: " + question,
                   "Information: File Not Proper [Sheet Pear]"}));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  host().SetBusyPointer(false);
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.filled);
    host().SetProgressMax(c.max);
    host().SetProgressValue(c.value);
    host().SetProgressVisible(true);  // showing the panel always paints
    host().Repaint();
    EXPECT_DOUBLE_EQ(host().ProgressMax(), c.max);
    EXPECT_DOUBLE_EQ(host().ProgressValue(), c.value);
    EXPECT_DOUBLE_EQ(bar->value() / double(bar->maximum()), c.filled);
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
  host().SetProgressVisible(true);
  for (int row = 0; row < 200; ++row) {
    host().SetProgressValue(row);
    host().Repaint();
  }
  // One paint for the panel coming up; the rest fall within the same few
  // hundredths of a second.
  EXPECT_GE(counter.paints, 1);
  EXPECT_LE(counter.paints, 5);
  EXPECT_DOUBLE_EQ(host().ProgressValue(), 199);  // the figures still follow
  counter.paints = 0;
  host().SetProgressVisible(false);
  host().Repaint();  // hiding the panel always shows at once
  EXPECT_EQ(counter.paints, 1);
}

}  // namespace
}  // namespace tarnwick::test
