#ifndef TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_
#define TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_

#include <sys/stat.h>
#include <sys/types.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "spreadsheet/xls/book_data.h"

namespace tarnwick::spreadsheet {

// Workbook files already decoded, so that making many copies of one
// workbook decodes it once. A file is decoded again when its size, time of
// change or identity (a file saved by renaming a new one over it) differs
// from what was decoded.
//
// Files about to be opened can be read ahead on a thread of its own (a
// conversion opens the price workbook and then each discount workbook in
// turn). Load takes what was read ahead when the file is still the one read,
// waits for a file being read, and reads itself a file not begun yet; a file
// that could not be read ahead is read again by Load, which reports why.
class WorkbookCache {
 public:
  WorkbookCache() = default;
  ~WorkbookCache();  // waits for a file being read ahead
  WorkbookCache(const WorkbookCache&) = delete;
  WorkbookCache& operator=(const WorkbookCache&) = delete;

  std::shared_ptr<const xls::BookData> Load(const std::filesystem::path& path);
  void ReadAhead(const std::vector<std::filesystem::path>& paths);
  void Clear();

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
  static Entry Decode(const std::filesystem::path& path);
  static std::string KeyOf(const std::filesystem::path& path);

  // A file to read ahead: waiting, being read, or read (`entry` empty when
  // it could not be).
  struct Ahead {
    std::filesystem::path path;
    enum class State { kWaiting, kReading, kRead } state = State::kWaiting;
    std::optional<Entry> entry;
  };
  std::optional<Entry> TakeReadAhead(const std::string& key);
  void ReadAheadWork();

  std::unordered_map<std::string, Entry> entries_;

  std::mutex ahead_mutex_;
  std::condition_variable ahead_changed_;
  std::unordered_map<std::string, Ahead> ahead_;  // by key
  std::deque<std::string> ahead_queue_;
  bool stopping_ = false;
  std::thread reader_;
};

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_WORKBOOK_CACHE_H_
