#ifndef TARNWICK_SPREADSHEET_RESIDENT_SHEETS_H_
#define TARNWICK_SPREADSHEET_RESIDENT_SHEETS_H_

#include <cstddef>
#include <deque>

#include "spreadsheet/application.h"

namespace tarnwick::spreadsheet {

// The sheets whose decoded cells are held only for reading. Past a few of
// them, the one decoded longest ago lets its cells go, to be decoded again
// if it is read again. A conversion reads one sheet of the price workbook
// and of each discount workbook at a time; holding every sheet it has read
// would cost memory for each of them, and fresh memory is slow to get.
// A sheet that has been written to keeps its cells.
class ResidentSheets {
 public:
  // Enough for a price sheet, its five discount sheets and a template, with
  // room to spare for callers that read two sheets of a workbook at once.
  static constexpr std::size_t kLimit = 16;

  // Notes that `sheet` has just decoded its cells; may let another go.
  void Add(Sheet::Impl* sheet);
  // Forgets `sheet` (its cells are let go, or written to, or it is gone).
  void Remove(Sheet::Impl* sheet);

 private:
  std::deque<Sheet::Impl*> order_;  // oldest first
};

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_RESIDENT_SHEETS_H_
