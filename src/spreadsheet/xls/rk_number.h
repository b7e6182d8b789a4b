#ifndef TARNWICK_SPREADSHEET_XLS_RK_NUMBER_H_
#define TARNWICK_SPREADSHEET_XLS_RK_NUMBER_H_

// RK numbers: the 4-byte form a workbook uses for numbers that are 30-bit
// integers or doubles with a short mantissa, either possibly divided by 100.

#include <cstdint>
#include <optional>

namespace tarnwick::spreadsheet::xls {

double DecodeRk(std::uint32_t rk);

// The RK form of `x` when one gives back exactly `x`.
std::optional<std::uint32_t> EncodeRk(double x);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_RK_NUMBER_H_
