#include "import/dbf/dbf_progress_percent.h"

#include <cmath>

namespace tarnwick {

std::string DbfProgressPercent(double value, double max) {
  float share = static_cast<float>(value) * 100.0f / static_cast<float>(max);
  if (!std::isfinite(share)) return "0%";
  float whole = std::floor(share);
  float rest =
      share - whole;  // exact: the whole part is at least half the share
  if (rest > 0.5f || (rest == 0.5f && std::fmod(whole, 2.0f) != 0.0f)) {
    whole += 1.0f;
  }
  return std::to_string(static_cast<long long>(whole)) + "%";
}

}  // namespace tarnwick
