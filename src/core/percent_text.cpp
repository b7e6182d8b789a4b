#include "core/percent_text.h"

#include <cmath>

namespace tarnwick {

std::string PercentText(double value, double maximum) {
  auto position = static_cast<float>(value);
  auto whole_bar = static_cast<float>(maximum);
  if (!(whole_bar > 0) || position >= whole_bar) return "100%";
  float share = position * 100.0f / whole_bar;
  float whole = std::floor(share);
  float rest =
      share - whole;  // exact: the whole part is at least half the share
  if (rest > 0.5f || (rest == 0.5f && std::fmod(whole, 2.0f) != 0.0f)) {
    whole += 1.0f;
  }
  return std::to_string(static_cast<long long>(whole)) + "%";
}

}  // namespace tarnwick
