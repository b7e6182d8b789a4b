#ifndef TARNWICK_SPREADSHEET_XLS_RK_NUMBER_H_
#define TARNWICK_SPREADSHEET_XLS_RK_NUMBER_H_

// RK numbers: the 4-byte form a workbook uses for numbers that are 30-bit
// integers or doubles with a short mantissa, either possibly divided by 100.

#include <cstdint>
#include <cstring>
#include <optional>

namespace tarnwick::spreadsheet::xls {

// Every number cell of most workbooks passes here.
inline double DecodeRk(std::uint32_t rk) {
  double value;
  if (rk & 0x2) {
    value = static_cast<double>(static_cast<std::int32_t>(rk) >> 2);
  } else {
    std::uint64_t bits = static_cast<std::uint64_t>(rk & 0xFFFFFFFCu) << 32;
    std::memcpy(&value, &bits, sizeof value);
  }
  return (rk & 0x1) ? value / 100 : value;
}

// The RK form of `x` when one gives back exactly `x`.
std::optional<std::uint32_t> EncodeRk(double x);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_RK_NUMBER_H_
