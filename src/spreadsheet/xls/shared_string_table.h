#ifndef TARNWICK_SPREADSHEET_XLS_SHARED_STRING_TABLE_H_
#define TARNWICK_SPREADSHEET_XLS_SHARED_STRING_TABLE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarnwick::spreadsheet::xls {

// The texts of a workbook being written, each stored once. The views must
// outlive the table.
class SharedStringTable {
 public:
  // `runs`: the text's rich-text formatting runs (4 bytes each), if any; a
  // text with runs is stored apart from the same text without.
  std::uint32_t Add(std::string_view text, std::string_view runs = {});
  std::size_t unique_count() const { return texts_.size(); }
  std::uint32_t total_count() const { return total_; }

  // Appends SST with its CONTINUE records and EXTSST to `stream`, whose
  // size is the stream offset where they start. Strings are split across
  // records as the format requires: a string's header is never split, and
  // each record that continues a string's characters opens with an option
  // byte.
  void AppendRecords(std::string& stream) const;

 private:
  std::unordered_map<std::string_view, std::uint32_t> index_;
  // Texts with runs, by the text, a NUL and the runs.
  std::unordered_map<std::string, std::uint32_t> rich_index_;
  std::vector<std::string_view> texts_;
  std::vector<std::string_view> runs_;  // by text; mostly empty
  std::uint32_t total_ = 0;
};

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_SHARED_STRING_TABLE_H_
