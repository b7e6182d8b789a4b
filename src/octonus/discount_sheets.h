#ifndef TARNWICK_OCTONUS_DISCOUNT_SHEETS_H_
#define TARNWICK_OCTONUS_DISCOUNT_SHEETS_H_

#include <vector>

#include "octonus/discounted_price.h"
#include "spreadsheet/application.h"

namespace tarnwick {

// The discount sheets of one price sheet: sheet k is the sheet at the price
// sheet's position in Discount<k>.xls. A level whose workbook is missing
// (the user chose to go on) has no sheet and takes nothing off.
class DiscountSheets : public DiscountCells {
 public:
  explicit DiscountSheets(int levels) : sheets_(levels, nullptr) {}

  void SetSheet(int level, const spreadsheet::Sheet& sheet) {
    sheets_.at(level - 1) = &sheet;
  }

  int Levels() const override { return static_cast<int>(sheets_.size()); }
  bool HasLevel(int level) const override {
    return sheets_.at(level - 1) != nullptr;
  }
  spreadsheet::CellValue Cell(int level, int row, int column) const override {
    return sheets_[level - 1]->Cells(row, column);
  }

 private:
  std::vector<const spreadsheet::Sheet*> sheets_;
};

}  // namespace tarnwick

#endif  // TARNWICK_OCTONUS_DISCOUNT_SHEETS_H_
