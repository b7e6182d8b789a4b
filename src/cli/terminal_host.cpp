#include "cli/terminal_host.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>

#include "core/platform.h"

namespace tarnwick {
namespace {

// Ctrl-C stands in for the window's Escape key: the handler only notes it and
// the conversion sees it the next time it lets pending events run; an
// import asks for it after every record.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

// Message texts end lines with CR LF, as message boxes take them.
std::string TerminalLines(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i] == '\r' ? '\n' : text[i]);
  }
  return out;
}

}  // namespace

TerminalHost::TerminalHost(std::optional<bool> answer)
    : answer_(answer),
      draw_progress_(platform::IsTerminal(platform::Stream::kError)) {
  interrupted = 0;
  std::signal(SIGINT, OnInterrupt);
}

TerminalHost::~TerminalHost() {
  ClearProgressLine();
  std::signal(SIGINT, SIG_DFL);
}

void TerminalHost::ShowMessage(std::string_view text, MessageIcon,
                               std::string_view detail) {
  ClearProgressLine();
  showed_message_ = true;
  std::cerr << TerminalLines(text) << '\n';
  if (!detail.empty()) std::cerr << TerminalLines(detail) << '\n';
  std::cerr.flush();
}

bool TerminalHost::AskYesNo(std::string_view text) {
  ClearProgressLine();
  std::cerr << TerminalLines(text) << '\n';
  bool yes = false;
  if (answer_.has_value()) {
    yes = *answer_;
  } else if (platform::IsTerminal(platform::Stream::kInput)) {
    std::cerr << "[Yes/No] " << std::flush;
    std::string line;
    if (std::getline(std::cin, line)) {
      yes = line == "y" || line == "Y" || line == "yes" || line == "Yes" ||
            line == "YES";
    }
  }
  std::cerr << (yes ? "Yes" : "No") << '\n' << std::flush;
  if (!yes) answered_no_ = true;
  return yes;
}

void TerminalHost::SetProgressVisible(bool visible) {
  progress_visible_ = visible;
  if (!visible) ClearProgressLine();
}

void TerminalHost::SetProgressPercent(std::string_view text) {
  percent_ = text;
}

void TerminalHost::SetProgressCaption(std::string_view text) {
  caption_ = text;
}

void TerminalHost::Repaint() {
  if (!draw_progress_ || !progress_visible_) return;
  // A terminal needs no more than about 30 frames a second; drawing every
  // record of a long import would cost more than the import itself.
  auto now = std::chrono::steady_clock::now();
  if (progress_drawn_ && now - last_drawn_ < std::chrono::milliseconds(33)) {
    return;
  }
  last_drawn_ = now;
  constexpr int kWidth = 30;
  double fraction = max_ > 0 ? value_ / max_ : 1;
  if (fraction > 1) fraction = 1;
  if (fraction < 0) fraction = 0;
  int filled = static_cast<int>(fraction * kWidth);
  std::string bar(filled, '#');
  bar.append(kWidth - filled, '.');
  std::fprintf(stderr, "\r\x1b[K[%s] %4s %s", bar.c_str(), percent_.c_str(),
               caption_.c_str());
  std::fflush(stderr);
  progress_drawn_ = true;
}

void TerminalHost::ClearProgressLine() {
  if (!progress_drawn_) return;
  std::fputs("\r\x1b[K", stderr);
  std::fflush(stderr);
  progress_drawn_ = false;
}

void TerminalHost::ProcessPendingEvents() {
  if (interrupted != 0) {
    interrupted = 0;
    cancel_ = true;
    interrupted_ = true;
  }
}

bool TerminalHost::StopRequested() const { return interrupted != 0; }

void TerminalHost::AddSheetListEntry(std::string_view name) {
  entries_.push_back({std::string(name), false});
}

int TerminalHost::SheetListCount() const {
  return static_cast<int>(entries_.size());
}

std::string TerminalHost::SheetListEntry(int index) const {
  return entries_.at(index).name;
}

bool TerminalHost::SheetListSelected(int index) const {
  return entries_.at(index).selected;
}

void TerminalHost::SetSheetListSelected(int index, bool selected) {
  entries_.at(index).selected = selected;
}

void TerminalHost::SetSelectAll(bool checked) {
  for (Entry& e : entries_) e.selected = checked;
}

}  // namespace tarnwick
