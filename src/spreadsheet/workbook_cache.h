#ifndef TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_
#define TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>

#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet {

// Workbook files already read, so that making many copies of one workbook
// reads and decodes it once. A file whose size or time of change differs
// from what was read is read again.
class WorkbookCache {
 public:
  std::shared_ptr<const xls::BookData> Load(const std::filesystem::path& path);
  void Clear() { entries_.clear(); }

 private:
  struct Entry {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type changed;
    std::shared_ptr<const xls::BookData> book;
  };
  std::unordered_map<std::string, Entry> entries_;
};

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_
