#ifndef TARNWICK_TESTS_IMPORT_IMPORT_FIXTURE_H_
#define TARNWICK_TESTS_IMPORT_IMPORT_FIXTURE_H_

// Price lists in both formats for the import tests, written from the file
// layouts (not through the readers under test), and what a sheet shows.

#include <filesystem>
#include <string>
#include <vector>

#include "spreadsheet/application.h"

namespace tarnwick::test {

// An application folder for the CSV import: System/Color.txt (D to K),
// System/Clarity.txt (the eleven usual grades, IF to I3),
// System/CSVTemplate.xls (one worksheet "Price" with "Tables:" 0 in row 1)
// and an empty Sample folder.
void MakeCsvAppFolder(const std::filesystem::path& app_folder);

// CSV records for one table: for every colour, eleven records over the usual
// clarities, priced `first_price`, `first_price` + 1, ... in record order.
std::string TableRecords(const std::string& mass_from,
                         const std::vector<std::string>& colors,
                         int first_price);

struct DbfField {
  std::string name;
  char type = 'N';
  int width = 10;
  int decimals = 2;
};

inline constexpr unsigned char kDbase3 = 0x03;
inline constexpr unsigned char kFoxPro2WithMemo = 0xF5;
inline constexpr unsigned char kVisualFoxPro = 0x30;

// The bytes of a DBF table, in any header version. Each record is its field
// texts separated by "|" ("" is a blank field), a leading '*' marking it
// deleted. Number fields are right-aligned in their width, the others
// left-aligned; a Visual FoxPro header gets its 263-byte backlink.
std::string DbfBytes(const std::vector<DbfField>& fields,
                     const std::vector<std::string>& records,
                     unsigned char version = kDbase3);

// `count` number fields P1, P2, ... of width 10 with 2 decimals.
std::vector<DbfField> PriceFields(int count);

// For cells given as "row/column=" followed by the expected text, joined by
// blanks ("3/2=11 8/12="), the same with the text each cell shows ("" for an
// empty cell, a number in NumberText form).
std::string ShownCells(const spreadsheet::Sheet& sheet,
                       const std::string& cells);

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_IMPORT_IMPORT_FIXTURE_H_
