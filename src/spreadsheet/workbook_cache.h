#ifndef TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_
#define TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_

#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>

#include "core/platform.h"
#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet {

// Workbook files already decoded, so that making many copies of one
// workbook decodes it once. A file is decoded again when its stamp (size,
// time of change, identity) differs from the one decoded.
class WorkbookCache {
 public:
  std::shared_ptr<const xls::BookData> Load(const std::filesystem::path& path);
  void Clear() { entries_.clear(); }

 private:
  struct Entry {
    platform::FileStamp stamp;
    std::shared_ptr<const xls::BookData> book;
  };
  static Entry Decode(const std::filesystem::path& path);

  std::unordered_map<std::string, Entry> entries_;
};

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_
