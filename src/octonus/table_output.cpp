#include "octonus/table_output.h"

#include <algorithm>

#include "core/error.h"
#include "octonus/number_rules.h"

namespace tarnwick {
namespace {

// The percentage pVal shows, worked in single precision. A maximum of 0 or
// a position past it shows as full.
std::string PercentText(float position, float maximum) {
  if (maximum <= 0 || position >= maximum) return "100%";
  float percent = position * 100.0f / maximum;
  return NumberText(RoundHalfEven(percent, 0)) + "%";
}

}  // namespace

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

}  // namespace tarnwick
