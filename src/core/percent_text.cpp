#include "core/percent_text.h"

#include <cmath>

namespace tarnwick {

std::string PercentText(double value, double maximum) {
  return std::to_string(PercentValue(value, maximum)) + "%";
}

long long PercentValue(double value, double maximum) {
  auto position = static_cast<float>(value);
  auto whole_bar = static_cast<float>(maximum);
  if (!(whole_bar > 0) || position >= whole_bar) return 100;
  float share = position * 100.0f / whole_bar;
  float whole = std::floor(share);
  float rest =
      share - whole;  // exact: the whole part is at least half the share
  if (rest > 0.5f || (rest == 0.5f && static_cast<long long>(whole) % 2 != 0)) {
    whole += 1.0f;
  }
  return static_cast<long long>(whole);
}

}  // namespace tarnwick
