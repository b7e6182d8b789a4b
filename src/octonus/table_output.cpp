#include "octonus/table_output.h"

#include <algorithm>

#include "core/error.h"
#include "core/percent_text.h"

namespace tarnwick {
namespace {}  // namespace

HostTableOutput::HostTableOutput(TextFileWriter& file, Host& host)
    : file_(file),
      host_(host),
      position_(static_cast<float>(host.ProgressValue())) {}

bool HostTableOutput::RowBegins() {
  host_.ProcessPendingEvents();
  if (host_.CancelFlag()) return true;
  host_.Repaint();
  return false;
}

void HostTableOutput::FormatPassed() {
  position_ += 1;
  float maximum = static_cast<float>(host_.ProgressMax());
  host_.SetProgressValue(maximum > 0 ? std::min(position_, maximum) : maximum);
  host_.SetProgressPercent(PercentText(position_, maximum));
  host_.Repaint();
}

void RecordedTable::Line(std::string_view line) {
  text_ += line;
  if (text_.size() > UINT32_MAX) throw Error("the table is too long to hold");
  steps_.push_back({Kind::kLine, 0, static_cast<std::uint32_t>(text_.size())});
}

bool RecordedTable::RowBegins() {
  steps_.push_back({Kind::kRow});
  return false;
}

void RecordedTable::TableCount(float count) {
  steps_.push_back({Kind::kTableCount, count});
}

void RecordedTable::FormatPassed() { steps_.push_back({Kind::kFormat}); }

SheetEnd RecordedTable::Replay(TableOutput& out) const {
  std::size_t line_start = 0;
  for (const Step& step : steps_) {
    switch (step.kind) {
      case Kind::kLine:
        out.Line(
            std::string_view(text_).substr(line_start, step.end - line_start));
        line_start = step.end;
        break;
      case Kind::kRow:
        if (out.RowBegins()) return SheetEnd::kCancelled;
        break;
      case Kind::kTableCount:
        out.TableCount(step.count);
        break;
      case Kind::kFormat:
        out.FormatPassed();
        break;
    }
  }
  if (failure_) throw Error(*failure_);
  return end_;
}

}  // namespace tarnwick
