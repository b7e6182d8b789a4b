#ifndef TARNWICK_OCTONUS_DISCOUNT_SHEETS_H_
#define TARNWICK_OCTONUS_DISCOUNT_SHEETS_H_

#include <optional>
#include <utility>
#include <vector>

#include "octonus/discounted_price.h"
#include "spreadsheet/application.h"
#include "spreadsheet/cell_reader.h"

namespace tarnwick::octonus {

// The discount sheets of one price sheet: sheet k is the sheet at the price
// sheet's position in Discount<k>.xls. A level whose workbook is missing
// (the user chose to go on) has no sheet and takes nothing off.
class DiscountSheets {
 public:
  explicit DiscountSheets(int levels) : levels_(levels) {}

  void SetSheet(int level, const spreadsheet::Sheet& sheet) {
    levels_.at(level - 1).cells.emplace(sheet,
                                        spreadsheet::CellReader::Use::kValues);
  }

  // `price` after the discount of every level, compounded in order 1..n.
  // A discount sheet mostly repeats one factor cell after cell, so each
  // level remembers its last number with the text form it went through.
  double Apply(double price, int row, int column, DiscountFormat format) const;

 private:
  struct Level {
    std::optional<spreadsheet::CellReader> cells;
    bool remembered = false;
    double cell = 0;    // the last number cell read
    double number = 0;  // what it reads as
  };
  double NumberOf(Level& level, int row, int column) const;

  mutable std::vector<Level> levels_;
};

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_DISCOUNT_SHEETS_H_
