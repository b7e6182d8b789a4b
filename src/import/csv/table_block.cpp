#include "import/csv/table_block.h"

namespace tarnwick::import {

void ClearGrid(std::array<TableBlock::PriceRow, TableBlock::kColorRows>& grid,
               const CsvImportState& state) {
  for (int i = 0; i <= state.max_color_index; ++i) {
    for (int j = 0; j <= state.max_clarity_index; ++j) grid[i][j] = {};
  }
}

}  // namespace tarnwick::import
