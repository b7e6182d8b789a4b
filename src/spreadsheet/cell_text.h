#ifndef TARNWICK_SPREADSHEET_CELL_TEXT_H_
#define TARNWICK_SPREADSHEET_CELL_TEXT_H_

// How a cell's value reads as a text or a number, by the number rules.

#include <cstdint>
#include <string>
#include <string_view>

#include "spreadsheet/cell_value.h"

namespace tarnwick {

// A cell value as a 16-bit integer: empty is 0, a number or a text that is a
// number as a whole converts as ToInt16 of a number; any other value
// throws Error.
std::int16_t ToInt16(const spreadsheet::CellValue& v,
                     std::string_view what = "value");

// What a cell holds once `text` is entered into it: a text that reads as a
// plain decimal number as a whole is that number, an empty text is nothing,
// any other text stays as it is.
spreadsheet::CellValue EnteredValue(std::string_view text);

// The text a cell shows: empty gives "", a text itself, a number its
// NumberText, a truth value "TRUE" or "FALSE", an error its code ("#N/A").
std::string CellText(const spreadsheet::CellValue& v);

// True for a number, an empty cell and a text that is a number as a whole.
bool IsNumericValue(const spreadsheet::CellValue& v);
// The number of a numeric value (empty counts as 0); only for values that
// IsNumericValue accepts.
double NumericValue(const spreadsheet::CellValue& v);

}  // namespace tarnwick

#endif  // TARNWICK_SPREADSHEET_CELL_TEXT_H_
