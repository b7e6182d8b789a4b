#ifndef TARNWICK_IMPORT_CSV_TABLE_NAME_H_
#define TARNWICK_IMPORT_CSV_TABLE_NAME_H_

#include <string>

namespace tarnwick::import {

// The name of the sheet (and later of the Octonus table) a CSV file becomes:
// its file name up to the first full stop, so "round.2024.csv" gives
// "round". Where a file system keeps short 8.3 aliases the alias was cut
// instead; Linux keeps none, and the long name stands in for it.
std::string TableName(const std::string& file_name);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_CSV_TABLE_NAME_H_
