#ifndef TARNWICK_IMPORT_DBF_CONVERT_DBF_TABLE_H_
#define TARNWICK_IMPORT_DBF_CONVERT_DBF_TABLE_H_

#include <filesystem>
#include <string_view>

#include "core/host.h"
#include "import/dbf/dbf_block_placement.h"
#include "spreadsheet/application.h"

namespace tarnwick::import {

// The sheet's last row: a record that would go further stops the import.
inline constexpr int kDbfLastSheetRow = 65536;

// Copies the prices of one DBF table into the sheet at `sheet_index` of
// `book`: field k of a record goes to column k + 2 of the record's row (and
// of its copies), times 100, as a number; a zero or null field leaves the
// sheet's cell as the template has it. Deleted records are skipped. Shows
// "Converting(" + `table_name` + ")" and the percentage of records done.
// Throws Error naming the table file (and the record and field where there
// is one) when the table cannot be read, a field holds no number, the sheet
// is missing or a record would run past the sheet's last row.
void ConvertDBFTable(const DbfTableLayout& layout, std::string_view table_name,
                     int sheet_index, const std::filesystem::path& table_file,
                     spreadsheet::Workbook& book, Host& host);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_DBF_CONVERT_DBF_TABLE_H_
