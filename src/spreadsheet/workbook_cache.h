#ifndef TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_
#define TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>

#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet {

// Workbook files already decoded, so that making many copies of one
// workbook decodes it once. The file is still read every time and compared
// with what was decoded: a file saved again within the same clock tick, at
// the same size, must not give the old cells.
class WorkbookCache {
 public:
  std::shared_ptr<const xls::BookData> Load(const std::filesystem::path& path);
  void Clear() { entries_.clear(); }

 private:
  struct Entry {
    std::string bytes;
    std::shared_ptr<const xls::BookData> book;
  };
  std::unordered_map<std::string, Entry> entries_;
};

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_
