#ifndef TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_
#define TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_

#include <sys/stat.h>
#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>

#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet {

// Workbook files already decoded, so that making many copies of one
// workbook decodes it once. A file is decoded again when its size, time of
// change or identity (a file saved by renaming a new one over it) differs
// from what was decoded.
class WorkbookCache {
 public:
  std::shared_ptr<const xls::BookData> Load(const std::filesystem::path& path);
  void Clear() { entries_.clear(); }

 private:
  struct Stamp {
    std::uint64_t size = 0;
    std::uint64_t inode = 0;
    std::int64_t modified_ns = 0;
    std::int64_t changed_ns = 0;
    bool operator==(const Stamp&) const = default;
  };
  static Stamp StampOf(const struct stat& info);
  struct Entry {
    Stamp stamp;
    std::shared_ptr<const xls::BookData> book;
  };
  std::unordered_map<std::string, Entry> entries_;
};

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_
