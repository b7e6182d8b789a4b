#include "import/csv/write_table_block.h"

#include "core/error.h"

namespace tarnwick::import {
namespace {

// The next row; the Octonus conversion counts rows in 16 bits, so a sheet
// that goes past 32767 could never be converted.
std::int16_t NextRow(std::int16_t row) {
  if (row >= kLastPriceSheetRow) {
    throw Error("the price tables do not fit in the " +
                std::to_string(kLastPriceSheetRow) + " rows of a price sheet");
  }
  return static_cast<std::int16_t>(row + 1);
}

}  // namespace

void WriteTableBlock(std::int16_t& table_count, std::int16_t& row,
                     const TableBlock& block, const CsvImportState& state,
                     spreadsheet::Sheet& sheet) {
  ++table_count;
  row = NextRow(row);
  sheet.SetCells(row, 1, "Format:");
  sheet.SetCells(row, 2, block.format_counts[0]);
  sheet.SetCells(row, 3, block.format_counts[1]);
  row = NextRow(row);
  sheet.SetCells(row, 1, "Mass:");
  sheet.SetCells(row, 2, block.mass_range[0]);
  sheet.SetCells(row, 3, block.mass_range[1]);
  row = NextRow(row);
  sheet.SetCells(row, 1, "Magnify:");
  sheet.SetCells(row, 2, 1.0);
  row = NextRow(row);
  for (std::size_t i = 0; i < block.clarity_header.size(); ++i) {
    if (block.clarity_header[i].empty()) break;
    sheet.SetCells(row, static_cast<int>(i) + 2, block.clarity_header[i]);
  }
  row = NextRow(row);
  for (int c = 0; c <= state.max_color_index; ++c) {
    if (block.color_labels[c].empty()) continue;
    sheet.SetCells(row, 1, block.color_labels[c]);
    sheet.SetRow(
        row, 2,
        std::span(block.price_grid[c])
            .first(static_cast<std::size_t>(state.max_clarity_index) + 1));
    row = NextRow(row);
  }
  for (const std::string& sample : state.sample_colors) {
    if (sample.empty() || ListIndexOf(block.color_labels, sample) != 99) {
      continue;
    }
    sheet.SetCells(row, 1, sample);
    row = NextRow(row);
  }
}

std::int16_t ListIndexOf(std::span<const std::string> list,
                         std::string_view text) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == text) return static_cast<std::int16_t>(i);
  }
  return 99;
}

}  // namespace tarnwick::import
