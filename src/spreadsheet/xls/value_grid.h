#ifndef TARNWICK_SPREADSHEET_XLS_VALUE_GRID_H_
#define TARNWICK_SPREADSHEET_XLS_VALUE_GRID_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::spreadsheet::xls {

// The plain values of a sheet in one block, for a reader that looks cells up
// one by one, as price and discount sheets are read: each cell is a number,
// a shared text, empty, or something else, which is read from the sheet
// decoded as usual.
struct ValueGrid {
  enum Kind : std::uint8_t { kEmpty, kNumber, kText, kOther };

  std::uint32_t rows = 0;
  std::uint32_t columns = 0;
  // Row by row, rows × columns: a number cell's number, a text cell's index
  // in `texts`; nothing for the other kinds.
  std::unique_ptr<double[]> numbers;
  std::vector<Kind> kinds;
  std::vector<std::string> texts;  // each text once

  // 0-based; every cell outside the grid is empty.
  Kind KindAt(std::uint32_t row, std::uint32_t column) const {
    return row < rows && column < columns ? kinds[row * columns + column]
                                          : kEmpty;
  }
  double NumberAt(std::uint32_t row, std::uint32_t column) const {
    return numbers[row * columns + column];
  }
  const std::string& TextAt(std::uint32_t row, std::uint32_t column) const {
    return texts[static_cast<std::size_t>(numbers[row * columns + column])];
  }
};

// Reads the plain values of the sheet substream at `offset`, one that was
// walked whole when its workbook was opened. Null when the sheet holds
// anything the grid would not tell exactly as the decoded sheet does: a
// damaged cell record, a cell outside the sheet's DIMENSIONS, a formula or
// a text of its own. The sheet is then decoded as usual, which reports
// whatever is wrong at the moment it always did.
std::shared_ptr<const ValueGrid> DecodeValueGrid(
    std::string_view stream, std::uint32_t offset,
    const std::vector<std::string>& strings);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_VALUE_GRID_H_
