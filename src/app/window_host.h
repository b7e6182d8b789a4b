#ifndef TARNWICK_APP_WINDOW_HOST_H_
#define TARNWICK_APP_WINDOW_HOST_H_

#include <QElapsedTimer>
#include <QString>
#include <map>
#include <optional>

#include "core/host.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QWidget;

namespace tarnwick::app {

// The widgets of FrmConvert that the core reaches through the host.
struct HostWidgets {
  QWidget* window = nullptr;
  QWidget* pPic = nullptr;
  QProgressBar* pBar = nullptr;
  QLabel* pVal = nullptr;
  QLabel* pCap = nullptr;
  QListWidget* List = nullptr;  // a check box per entry: ticked = selected
  QCheckBox* CHKall = nullptr;
};

// The core's host on the window: message boxes, the progress panel, the
// hourglass, the message loop, CancelFlag and the sheet list.
class WindowHost : public Host {
 public:
  explicit WindowHost(const HostWidgets& widgets);
  ~WindowHost() override;

  void ShowMessage(std::string_view text, MessageIcon icon,
                   std::string_view detail = {}) override;
  bool AskYesNo(std::string_view text) override;

  void SetProgressVisible(bool visible) override;
  void SetProgressMax(double max) override;
  double ProgressMax() const override { return max_; }
  void SetProgressValue(double value) override;
  double ProgressValue() const override { return value_; }
  void SetProgressPercent(std::string_view text) override;
  void SetProgressCaption(std::string_view text) override;
  // At most about 30 repaints a second: a long run asks for one per row,
  // and painting each would cost more than the conversion itself. The
  // figures and texts are kept exactly; pBar, pVal and pCap show them as of
  // the last repaint, List as of one at most a tenth of a second older.
  void Repaint() override;

  void SetBusyPointer(bool busy) override;

  // At most every 10 ms: a conversion asks at every row, and a turn of the
  // event loop for each cost several times the conversion itself. Escape is
  // still answered within a few hundredths of a second.
  void ProcessPendingEvents() override;
  bool CancelFlag() const override { return cancel_; }
  void SetCancelFlag(bool set) override { cancel_ = set; }

  void ClearSheetList() override;
  void AddSheetListEntry(std::string_view name) override;
  int SheetListCount() const override;
  std::string SheetListEntry(int index) const override;
  bool SheetListSelected(int index) const override;
  void SetSheetListSelected(int index, bool selected) override;
  void SetSheetListCurrent(int index) override;
  void SetSelectAll(bool checked) override;

  // Ticks or clears every entry of List: what a click on CHKall does.
  void SelectEveryEntry(bool selected);

 private:
  void ShowBar();
  void ShowTexts();
  // Puts the ticks and the current entry the core set since List was last
  // shown into List. Each change of List costs it a new layout and a
  // paint: made once per converted sheet they cost more than the sheets.
  void ShowList();

  HostWidgets w_;
  double max_ = 100;
  double value_ = 0;
  bool busy_ = false;
  bool cancel_ = false;
  bool repaint_due_ = true;
  std::optional<QString> percent_;  // for pVal, not yet shown
  std::optional<QString> caption_;  // for pCap
  std::map<int, bool> ticks_due_;   // List entry -> selected
  int current_due_ = -1;
  QElapsedTimer since_repaint_;
  QElapsedTimer since_list_;  // since List last took the core's changes
  QElapsedTimer events_let_;  // since the event loop last ran
};

}  // namespace tarnwick::app

#endif  // TARNWICK_APP_WINDOW_HOST_H_
