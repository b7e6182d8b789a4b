#ifndef TARNWICK_CORE_HOST_H_
#define TARNWICK_CORE_HOST_H_

#include <string>
#include <string_view>

namespace tarnwick {

enum class MessageIcon { kInformation, kCritical };

// The only way the core reaches a person. The window implements it with its
// widgets, the command line on the terminal, the tests with a script.
//
// The progress panel mirrors the window's pPic (visible), pBar (maximum and
// value), pVal (percentage text) and pCap (caption); the core computes every
// figure and text, the host only shows them.
class Host {
 public:
  virtual ~Host() = default;

  // A message box with one OK button. `detail` is extra text a person may
  // need to act on (the reason of a failure); it is never part of `text`.
  virtual void ShowMessage(std::string_view text, MessageIcon icon,
                           std::string_view detail = {}) = 0;
  // A question with Yes and No buttons; true means Yes.
  virtual bool AskYesNo(std::string_view text) = 0;

  virtual void SetProgressVisible(bool visible) = 0;
  virtual void SetProgressMax(double max) = 0;
  virtual double ProgressMax() const = 0;
  virtual void SetProgressValue(double value) = 0;
  virtual double ProgressValue() const = 0;
  virtual void SetProgressPercent(std::string_view text) = 0;  // pVal
  virtual void SetProgressCaption(std::string_view text) = 0;  // pCap
  virtual void Repaint() = 0;

  virtual void SetBusyPointer(bool busy) = 0;

  // Lets the window handle input; the only moment Escape can set CancelFlag.
  // Asked for at every row of a conversion, it may let them in less often
  // (the window: every 10 ms).
  virtual void ProcessPendingEvents() = 0;
  virtual bool CancelFlag() const = 0;
  virtual void SetCancelFlag(bool set) = 0;
  // Whether the person has asked a running import to stop (Ctrl-C on the
  // command line). The window's imports take no input, so by default no.
  virtual bool StopRequested() const { return false; }

  // The sheet list `List` (0-based entries) and its select-all box `CHKall`.
  virtual void ClearSheetList() = 0;
  virtual void AddSheetListEntry(std::string_view name) = 0;
  virtual int SheetListCount() const = 0;
  virtual std::string SheetListEntry(int index) const = 0;
  virtual bool SheetListSelected(int index) const = 0;
  virtual void SetSheetListSelected(int index, bool selected) = 0;
  virtual void SetSheetListCurrent(int index) = 0;
  virtual void SetSelectAll(bool checked) = 0;  // CHKall; checking selects all
};

}  // namespace tarnwick

#endif  // TARNWICK_CORE_HOST_H_
