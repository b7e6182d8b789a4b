#ifndef TARNWICK_IMPORT_CSV_WRITE_TABLE_BLOCK_H_
#define TARNWICK_IMPORT_CSV_WRITE_TABLE_BLOCK_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "import/csv/table_block.h"
#include "import/price_module.h"
#include "spreadsheet/application.h"

namespace tarnwick::import {

// The last row the Octonus conversion can reach on a sheet.
constexpr int kLastPriceSheetRow = 32767;

// Writes `block` into `sheet` the way the Octonus conversion reads a price
// table: the Format, Mass and Magnify rows, the clarity header, one row per
// colour label with its eleven prices, and a bare row for every sample
// colour the table lacks. `row` comes in as the last row used and leaves as
// the first row after the block; `table_count` goes up by one. Throws Error
// when the block would pass row 32767.
void WriteTableBlock(std::int16_t& table_count, std::int16_t& row,
                     const TableBlock& block, const CsvImportState& state,
                     spreadsheet::Sheet& sheet);

// The index of the first entry equal to `text` (letter case counts), or 99.
std::int16_t ListIndexOf(std::span<const std::string> list,
                         std::string_view text);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_CSV_WRITE_TABLE_BLOCK_H_
