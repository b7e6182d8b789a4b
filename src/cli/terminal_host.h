#ifndef TARNWICK_CLI_TERMINAL_HOST_H_
#define TARNWICK_CLI_TERMINAL_HOST_H_

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "core/host.h"

namespace tarnwick {

// The host of tarnwick-cli: messages and questions on standard error in the
// window's exact words, a progress bar when standard error is a terminal,
// Ctrl-C as the Escape key of a conversion and as the stop of an import, and
// the sheet list kept in memory.
class TerminalHost : public Host {
 public:
  // `answer`: the answer to every question (--yes / --no); without one a
  // terminal on standard input is asked and anything else answers No.
  explicit TerminalHost(std::optional<bool> answer);
  ~TerminalHost() override;

  void ShowMessage(std::string_view text, MessageIcon icon,
                   std::string_view detail) override;
  bool AskYesNo(std::string_view text) override;

  void SetProgressVisible(bool visible) override;
  void SetProgressMax(double max) override { max_ = max; }
  double ProgressMax() const override { return max_; }
  void SetProgressValue(double value) override { value_ = value; }
  double ProgressValue() const override { return value_; }
  void SetProgressPercent(std::string_view text) override;
  void SetProgressCaption(std::string_view text) override;
  void Repaint() override;

  void SetBusyPointer(bool) override {}

  void ProcessPendingEvents() override;
  bool CancelFlag() const override { return cancel_; }
  void SetCancelFlag(bool set) override { cancel_ = set; }
  // Ctrl-C stops an import at its next record or file.
  bool StopRequested() const override;

  void ClearSheetList() override { entries_.clear(); }
  void AddSheetListEntry(std::string_view name) override;
  int SheetListCount() const override;
  std::string SheetListEntry(int index) const override;
  bool SheetListSelected(int index) const override;
  void SetSheetListSelected(int index, bool selected) override;
  void SetSheetListCurrent(int) override {}
  void SetSelectAll(bool checked) override;

  // Exit status 0 asks that no message was shown and no question answered No.
  bool ShowedMessage() const { return showed_message_; }
  bool AnsweredNo() const { return answered_no_; }
  // Whether Ctrl-C set the cancel flag of a conversion.
  bool Interrupted() const { return interrupted_; }

 private:
  struct Entry {
    std::string name;
    bool selected = false;
  };
  void ClearProgressLine();

  std::optional<bool> answer_;
  bool draw_progress_;
  bool progress_visible_ = false;
  bool progress_drawn_ = false;
  std::chrono::steady_clock::time_point last_drawn_;
  double max_ = 0;
  double value_ = 0;
  std::string percent_;
  std::string caption_;
  bool cancel_ = false;
  bool showed_message_ = false;
  bool answered_no_ = false;
  bool interrupted_ = false;
  std::vector<Entry> entries_;
};

}  // namespace tarnwick

#endif  // TARNWICK_CLI_TERMINAL_HOST_H_
