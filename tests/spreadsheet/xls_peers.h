#ifndef TARNWICK_TESTS_SPREADSHEET_XLS_PEERS_H_
#define TARNWICK_TESTS_SPREADSHEET_XLS_PEERS_H_

#include <filesystem>
#include <string>

namespace tarnwick::testing {

// What python3-xlrd reads from `path`, in the line format of
// peers/xlrd_dump.py; throws when xlrd fails.
std::string XlrdDump(const std::filesystem::path& path,
                     bool formatting = false);

// What Tarnwick reads from `path`, in the same line format.
std::string TarnwickDump(const std::filesystem::path& path);

// Runs a Python program with xlwt at hand; throws when it fails.
void RunXlwt(const std::string& program);

}  // namespace tarnwick::testing

#endif  // TARNWICK_TESTS_SPREADSHEET_XLS_PEERS_H_
