#ifndef TARNWICK_TESTS_IMPORT_CSV_CSV_FIXTURE_H_
#define TARNWICK_TESTS_IMPORT_CSV_CSV_FIXTURE_H_

#include <filesystem>
#include <string>
#include <vector>

#include "spreadsheet/application.h"

namespace tarnwick::test {

// An application folder for the CSV import: System/Color.txt (D to K),
// System/Clarity.txt (the eleven usual grades) and System/CSVTemplate.xls
// (one worksheet "Price" with "Tables:" 0 in row 1).
void MakeCsvAppFolder(const std::filesystem::path& app_folder);

// The usual clarity grades, IF to I3, in dictionary order.
const std::vector<std::string>& UsualClarities();

// CSV records for one table: for every colour, eleven records over the usual
// clarities, priced `first_price`, `first_price` + 1, ... in record order.
std::string TableRecords(const std::string& mass_from,
                         const std::vector<std::string>& colors,
                         int first_price);

// The text a cell shows ("" for an empty cell, a number in NumberText form).
std::string Shown(const spreadsheet::Sheet& sheet, int row, int column);
// For cells given as "row/column=" followed by the expected text, joined by
// blanks ("3/2=11 8/12="), the same with the text each cell shows.
std::string ShownCells(const spreadsheet::Sheet& sheet,
                       const std::string& cells);
// Column A of rows `first` to `last`, as shown, joined by "|".
std::string ColumnA(const spreadsheet::Sheet& sheet, int first, int last);

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_IMPORT_CSV_CSV_FIXTURE_H_
