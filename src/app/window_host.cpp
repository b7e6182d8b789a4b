#include "app/window_host.h"

#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

namespace tarnwick::app {
namespace {

// pBar shows max and value as fractions of this many steps: the operations
// count in fractions (a CSV file of 20 items is 20/7 records).
constexpr int kBarSteps = 10000;
constexpr qint64 kRepaintIntervalMs = 33;
// List moves on at most ten times a second: repainting and scrolling it is
// the costliest part of a repaint, and the panel already shows the progress.
constexpr qint64 kListIntervalMs = 100;
constexpr qint64 kEventsIntervalMs = 10;

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The hourglass covers the window, not the boxes that ask the user something.
class ArrowWhileAsking {
 public:
  explicit ArrowWhileAsking(bool busy) : busy_(busy) {
    if (busy_) QApplication::restoreOverrideCursor();
  }
  ~ArrowWhileAsking() {
    if (busy_) QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ArrowWhileAsking(const ArrowWhileAsking&) = delete;
  ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

 private:
  bool busy_;
};

}  // namespace

WindowHost::WindowHost(const HostWidgets& widgets) : w_(widgets) {}

WindowHost::~WindowHost() { SetBusyPointer(false); }

void WindowHost::ShowMessage(std::string_view text, MessageIcon icon,
                             std::string_view detail) {
  QMessageBox box(icon == MessageIcon::kCritical ? QMessageBox::Critical
                                                 : QMessageBox::Information,
                  QCoreApplication::applicationName(), FromUtf8(text),
                  QMessageBox::Ok, w_.window);
  if (!detail.empty()) box.setDetailedText(FromUtf8(detail));
  ShowList();
  ArrowWhileAsking arrow(busy_);
  box.exec();
}

bool WindowHost::AskYesNo(std::string_view text) {
  QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(),
                  FromUtf8(text), QMessageBox::Yes | QMessageBox::No,
                  w_.window);
  box.setDefaultButton(QMessageBox::Yes);
  ShowList();
  ArrowWhileAsking arrow(busy_);
  return box.exec() == QMessageBox::Yes;
}

void WindowHost::SetProgressVisible(bool visible) {
  // The bar takes its figures while hidden, so it paints only once shown.
  if (!visible) w_.pPic->setVisible(false);
  ShowBar();
  if (visible) w_.pPic->setVisible(true);
  repaint_due_ = true;
}

// The bar takes its figures at the next repaint: QProgressBar repaints
// itself at once on every visible change, which would undo the limit.
void WindowHost::SetProgressMax(double max) { max_ = max; }

void WindowHost::SetProgressValue(double value) { value_ = value; }

void WindowHost::ShowBar() {
  double fraction = max_ > 0 ? value_ / max_ : 0;
  fraction = std::clamp(std::isfinite(fraction) ? fraction : 0.0, 0.0, 1.0);
  w_.pBar->setRange(0, kBarSteps);
  w_.pBar->setValue(static_cast<int>(std::lround(fraction * kBarSteps)));
}

// Like the bar, the texts wait for the next repaint: a QLabel given a new
// text schedules a paint of its own.
void WindowHost::SetProgressPercent(std::string_view text) {
  percent_ = FromUtf8(text);
}

void WindowHost::SetProgressCaption(std::string_view text) {
  caption_ = FromUtf8(text);
}

void WindowHost::ShowTexts() {
  if (percent_) w_.pVal->setText(*percent_);
  if (caption_) w_.pCap->setText(*caption_);
  percent_.reset();
  caption_.reset();
}

void WindowHost::ShowList() {
  if (ticks_due_.empty() && current_due_ < 0) return;
  since_list_.start();
  for (const auto& [index, selected] : ticks_due_) {
    w_.List->item(index)->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
  }
  ticks_due_.clear();
  if (current_due_ >= 0) {
    w_.List->setCurrentRow(current_due_);
    w_.List->scrollToItem(w_.List->item(current_due_));
    current_due_ = -1;
  }
}

void WindowHost::Repaint() {
  if (!repaint_due_ && since_repaint_.isValid() &&
      since_repaint_.elapsed() < kRepaintIntervalMs) {
    return;
  }
  ShowBar();
  ShowTexts();
  if (repaint_due_ || !since_list_.isValid() ||
      since_list_.elapsed() >= kListIntervalMs) {
    ShowList();
  }
  // While the panel is up only it changes with the figures; the rest of the
  // window paints as the event loop lets it. Hiding it uncovers the window.
  if (w_.pPic->isVisible()) {
    w_.pPic->repaint();
  } else {
    w_.window->repaint();
  }
  since_repaint_.start();
  repaint_due_ = false;
}

void WindowHost::SetBusyPointer(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void WindowHost::ProcessPendingEvents() {
  if (events_let_.isValid() && events_let_.elapsed() < kEventsIntervalMs) {
    return;
  }
  QCoreApplication::processEvents();
  events_let_.start();
}

void WindowHost::ClearSheetList() {
  ticks_due_.clear();
  current_due_ = -1;
  w_.List->clear();
}

void WindowHost::AddSheetListEntry(std::string_view name) {
  auto* entry = new QListWidgetItem(FromUtf8(name), w_.List);
  entry->setFlags(entry->flags() | Qt::ItemIsUserCheckable);
  entry->setCheckState(Qt::Unchecked);
}

int WindowHost::SheetListCount() const { return w_.List->count(); }

std::string WindowHost::SheetListEntry(int index) const {
  return w_.List->item(index)->text().toStdString();
}

bool WindowHost::SheetListSelected(int index) const {
  const auto due = ticks_due_.find(index);
  if (due != ticks_due_.end()) return due->second;
  return w_.List->item(index)->checkState() == Qt::Checked;
}

void WindowHost::SetSheetListSelected(int index, bool selected) {
  ticks_due_[index] = selected;
}

void WindowHost::SetSheetListCurrent(int index) { current_due_ = index; }

void WindowHost::SetSelectAll(bool checked) {
  {
    const QSignalBlocker quiet(w_.CHKall);
    w_.CHKall->setChecked(checked);
  }
  SelectEveryEntry(checked);
}

void WindowHost::SelectEveryEntry(bool selected) {
  ShowList();  // ticks not yet shown give way to this one
  for (int i = 0; i < w_.List->count(); ++i) {
    w_.List->item(i)->setCheckState(selected ? Qt::Checked : Qt::Unchecked);
  }
}

}  // namespace tarnwick::app
