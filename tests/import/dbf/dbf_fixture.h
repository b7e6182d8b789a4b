#ifndef TARNWICK_TESTS_IMPORT_DBF_DBF_FIXTURE_H_
#define TARNWICK_TESTS_IMPORT_DBF_DBF_FIXTURE_H_

// DBF tables for tests, written byte by byte from the file layout (not
// through the reader under test), in any header version.

#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick::test {

struct DbfField {
  std::string name;
  char type = 'N';
  int width = 10;
  int decimals = 2;
};

struct DbfRecord {
  std::vector<std::string> texts;  // one per field; "" is a blank field
  bool deleted = false;
};

inline constexpr unsigned char kDbase3 = 0x03;
inline constexpr unsigned char kFoxPro2WithMemo = 0xF5;
inline constexpr unsigned char kVisualFoxPro = 0x30;

// The bytes of a table file. Number fields are right-aligned in their width,
// the others left-aligned; a Visual FoxPro header gets its 263-byte backlink.
std::string DbfBytes(const std::vector<DbfField>& fields,
                     const std::vector<DbfRecord>& records,
                     unsigned char version = kDbase3);
void WriteDbf(const std::filesystem::path& file,
              const std::vector<DbfField>& fields,
              const std::vector<DbfRecord>& records,
              unsigned char version = kDbase3);

// `count` number fields P1, P2, ... of width 10 with 2 decimals.
std::vector<DbfField> PriceFields(int count);

// Records from lines of field texts separated by "|"; a leading '*' marks a
// deleted record.
std::vector<DbfRecord> Records(const std::vector<std::string>& lines);

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_IMPORT_DBF_DBF_FIXTURE_H_
