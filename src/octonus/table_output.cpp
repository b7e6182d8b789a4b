#include "octonus/table_output.h"

#include <algorithm>

#include "core/error.h"
#include "core/percent_text.h"

namespace tarnwick::octonus {
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

}  // namespace tarnwick::octonus
