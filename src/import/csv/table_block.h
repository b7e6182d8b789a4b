#ifndef TARNWICK_IMPORT_CSV_TABLE_BLOCK_H_
#define TARNWICK_IMPORT_CSV_TABLE_BLOCK_H_

#include <array>
#include <string>

#include "import/price_module.h"
#include "spreadsheet/cell_value.h"

namespace tarnwick::import {

// One price table of a CSV file as ConvertCSVFile collects it and
// WriteTableBlock lays it into the sheet. Every text entry is the text read
// from the file (numbers already in their NumberText form); the prices are
// what their cells will hold, converted once as they are read.
struct TableBlock {
  static constexpr int kColorRows = 26;       // MaxColorIndex + 1
  static constexpr int kClarityColumns = 11;  // MaxClarityIndex + 1

  using Row = std::array<std::string, kClarityColumns>;
  using PriceRow = std::array<spreadsheet::CellValue, kClarityColumns>;

  std::array<std::string, 2> format_counts;  // clarity count, colour count
  std::array<std::string, 2> mass_range;     // mass from, mass to
  Row clarity_header;
  std::array<std::string, kColorRows> color_labels;
  std::array<PriceRow, kColorRows> price_grid;
};

// Empties every entry of a list.
template <std::size_t N>
void ClearList(std::array<std::string, N>& list) {
  for (std::string& entry : list) entry.clear();
}

// Empties every cell of the price grid up to the state's highest colour row
// and clarity column.
void ClearGrid(std::array<TableBlock::PriceRow, TableBlock::kColorRows>& grid,
               const CsvImportState& state);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_CSV_TABLE_BLOCK_H_
