#ifndef TARNWICK_TESTS_SUPPORT_SCRIPTED_HOST_H_
#define TARNWICK_TESTS_SUPPORT_SCRIPTED_HOST_H_

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/host.h"

namespace tarnwick::test {

// A host for tests: records every message and question, answers questions
// from a script (No once the script runs out), and keeps the sheet list and
// the progress panel in memory.
class ScriptedHost : public Host {
 public:
  struct Message {
    std::string text;
    MessageIcon icon;
    std::string detail;
  };

  std::vector<Message> messages;
  std::vector<std::string> questions;
  std::deque<bool> answers;
  // Runs at every ProcessPendingEvents call, e.g. to press Escape.
  std::function<void(ScriptedHost&)> on_events;
  int events_processed = 0;

  bool progress_visible = false, busy = false, cancel = false;
  bool select_all = false;
  double progress_max = 0, progress_value = 0;
  std::string progress_percent, progress_caption;
  std::vector<std::string> captions_seen, percents_seen;

  struct Entry {
    std::string name;
    bool selected;
  };
  std::vector<Entry> entries;
  int current = -1;

  // The message texts alone, in order.
  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const Message& m : messages) texts.push_back(m.text);
    return texts;
  }

  void ShowMessage(std::string_view text, MessageIcon icon,
                   std::string_view detail = {}) override {
    messages.push_back({std::string(text), icon, std::string(detail)});
  }
  bool AskYesNo(std::string_view text) override {
    questions.emplace_back(text);
    bool yes = !answers.empty() && answers.front();
    if (!answers.empty()) answers.pop_front();
    return yes;
  }
  void SetProgressVisible(bool visible) override { progress_visible = visible; }
  void SetProgressMax(double max) override { progress_max = max; }
  double ProgressMax() const override { return progress_max; }
  void SetProgressValue(double value) override { progress_value = value; }
  double ProgressValue() const override { return progress_value; }
  void SetProgressPercent(std::string_view text) override {
    progress_percent = text;
    percents_seen.emplace_back(text);
  }
  void SetProgressCaption(std::string_view text) override {
    progress_caption = text;
    captions_seen.emplace_back(text);
  }
  void Repaint() override {}
  void SetBusyPointer(bool b) override { busy = b; }
  void ProcessPendingEvents() override {
    ++events_processed;
    if (on_events) on_events(*this);
  }
  // Asked by an import before every record: e.g. stop once the progress
  // has moved.
  std::function<bool(const ScriptedHost&)> stop_when;
  bool StopRequested() const override { return stop_when && stop_when(*this); }
  bool CancelFlag() const override { return cancel; }
  void SetCancelFlag(bool set) override { cancel = set; }
  void ClearSheetList() override {
    entries.clear();
    current = -1;
  }
  void AddSheetListEntry(std::string_view name) override {
    entries.push_back({std::string(name), false});
  }
  int SheetListCount() const override {
    return static_cast<int>(entries.size());
  }
  std::string SheetListEntry(int index) const override {
    return entries.at(index).name;
  }
  bool SheetListSelected(int index) const override {
    return entries.at(index).selected;
  }
  void SetSheetListSelected(int index, bool selected) override {
    entries.at(index).selected = selected;
  }
  void SetSheetListCurrent(int index) override { current = index; }
  void SetSelectAll(bool checked) override {
    select_all = checked;
    for (Entry& e : entries) e.selected = checked;
  }
};

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_SUPPORT_SCRIPTED_HOST_H_
