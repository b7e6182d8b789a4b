#ifndef TARNWICK_OCTONUS_TABLE_LINES_H_
#define TARNWICK_OCTONUS_TABLE_LINES_H_

// The fixed-width lines of an Octonus price table. Every space count that a
// text longer than its column would make negative is a failure of the sheet
// (tarnwick::Error), never a silently shifted column.

#include <string>
#include <string_view>

namespace tarnwick::octonus {

// Length in characters, as the single-byte table file will hold it.
int TextLength(std::string_view utf8);

// Appends `text` followed by spaces up to `width` characters to `line`.
void AppendField(std::string& line, std::string_view text, int width);

// "Tables:" as written in the sheet, left-aligned in 8, then the count.
std::string TableCountLine(std::string_view a, std::string_view b);
// "Format: clarity " + clarities + colours right-aligned in 8.
std::string FormatLine(std::string_view b, std::string_view c);
// "Mass:   " + lower bound left-aligned in 8 + upper bound.
std::string MassLine(std::string_view b, std::string_view c);
// "Magnify:        " + magnification.
std::string MagnifyLine(std::string_view b);

// `line` without its last `count` characters.
// A view into `line`, for the line is written at once.
std::string_view DropLast(std::string_view line, int count);

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_TABLE_LINES_H_
