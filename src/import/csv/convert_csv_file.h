#ifndef TARNWICK_IMPORT_CSV_CONVERT_CSV_FILE_H_
#define TARNWICK_IMPORT_CSV_CONVERT_CSV_FILE_H_

#include <filesystem>
#include <string>

#include "core/host.h"
#include "import/csv/item_reader.h"
#include "import/csv/known_grades.h"
#include "import/price_module.h"
#include "spreadsheet/application.h"

namespace tarnwick::import {

// What every file of one CSV import shares.
struct CsvImportRun {
  const std::filesystem::path& app_folder;  // System/ and the results
  CsvImportState& state;
  spreadsheet::Workbook& book;  // the workbook being built
  Host& host;
  // Grades already found: clarities, then colours. While the dictionaries
  // stay as they were read, a grade found once stays found.
  KnownGrades known_grades[2];
};

// Turns one CSV price list into the sheet `sheet_name` of the workbook being
// built: records of seven items (unused, clarity, colour, mass from, mass
// to, price, unused); consecutive records with the same mass from make one
// table block, whose prices fill the 26 x 11 grid row by row. Then "Tables:"
// with the block count in row 1 and "End Price" two rows below the last
// block. `items` reads the file from its start; `record_count` is the
// progress maximum.
//
// Ends early, with the sheet as far as it got, when a dictionary file is
// missing (state.dict_missing = 1) or the user refuses to add a grade
// (state.continue_csv = false). Throws Error naming the file and the record
// when the file cannot be read, ends inside a record, or holds a table that
// does not fit the grid or the sheet.
void ConvertCSVFile(const std::filesystem::path& file_path, ItemReader& items,
                    const std::string& sheet_name, double record_count,
                    CsvImportRun& run);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_CSV_CONVERT_CSV_FILE_H_
