#ifndef TARNWICK_TESTS_SPREADSHEET_XLS_PEERS_H_
#define TARNWICK_TESTS_SPREADSHEET_XLS_PEERS_H_

#include <filesystem>
#include <string>

namespace tarnwick::test {

// What python3-xlrd reads from `path`, in the line format of
// tests/peers/xlrd_dump.py; throws when xlrd fails.
std::string XlrdDump(const std::filesystem::path& path,
                     bool formatting = false);

// What Tarnwick reads from `path`, in the same line format, cell by cell or
// as a sheet is read for its values (see CellReader).
std::string TarnwickDump(const std::filesystem::path& path,
                         bool values = false);

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_SPREADSHEET_XLS_PEERS_H_
