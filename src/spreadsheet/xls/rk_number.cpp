#include "spreadsheet/xls/rk_number.h"

#include <cmath>
#include <cstring>

namespace tarnwick::spreadsheet::xls {
namespace {

constexpr std::int64_t kMinInt30 = -(std::int64_t{1} << 29);
constexpr std::int64_t kMaxInt30 = (std::int64_t{1} << 29) - 1;

std::optional<std::uint32_t> IntegerRk(double x) {
  if (!(x >= kMinInt30 && x <= kMaxInt30) || x != std::floor(x)) {
    return std::nullopt;
  }
  auto n = static_cast<std::int32_t>(x);
  return (static_cast<std::uint32_t>(n) << 2) | 0x2;
}

std::optional<std::uint32_t> FloatRk(double x) {
  std::uint64_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  if ((bits & 0x3FFFFFFFFULL) != 0) return std::nullopt;
  return static_cast<std::uint32_t>(bits >> 32);
}

}  // namespace

std::optional<std::uint32_t> EncodeRk(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  if (x == 0 && std::signbit(x)) return std::nullopt;  // keep -0 as written
  if (auto rk = IntegerRk(x)) return rk;
  if (auto rk = FloatRk(x)) return rk;
  double hundred = x * 100;
  if (auto rk = IntegerRk(std::round(hundred)); rk && DecodeRk(*rk | 1) == x) {
    return *rk | 1;
  }
  if (auto rk = FloatRk(hundred); rk && DecodeRk(*rk | 1) == x) return *rk | 1;
  return std::nullopt;
}

}  // namespace tarnwick::spreadsheet::xls
