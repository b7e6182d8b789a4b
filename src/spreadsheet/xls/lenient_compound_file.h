#ifndef TARNWICK_SPREADSHEET_XLS_LENIENT_COMPOUND_FILE_H_
#define TARNWICK_SPREADSHEET_XLS_LENIENT_COMPOUND_FILE_H_

// A second way into a compound file that libgsf refuses: other programs
// write headers whose counts are off, a last sector cut short, a mini stream
// cutoff of 0, or a stream size beyond its sectors, and other readers open
// them. This one reads a single stream of the root storage, trusting only
// what it can check: every sector lies in the file, no chain visits a sector
// twice, and a stream is no longer than its chain.

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::spreadsheet::xls {

// The bytes of the root's stream with the first of `names` (in any letter
// case) that it holds, or none when it holds none or cannot be read safely.
std::optional<std::string> ReadRootStreamLeniently(
    std::string_view file, std::initializer_list<std::string_view> names);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_LENIENT_COMPOUND_FILE_H_
