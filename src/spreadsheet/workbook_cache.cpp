#include "spreadsheet/workbook_cache.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/error.h"
#include "core/file_bytes.h"
#include "spreadsheet/workbook_file.h"

namespace tarnwick::spreadsheet {
namespace {

// Enough for the price workbook, the discount workbooks and the templates.
constexpr std::size_t kMaxEntries = 16;

// The reasons a workbook file could not be read, worded for a workbook.
void CheckRead(const FileBytes& file, const std::filesystem::path& path) {
  if (file.error() == ENOENT) {
    throw Error(path.string() + ": the workbook does not exist");
  }
  if (file.error() != 0) {
    throw Error(path.string() + ": the workbook cannot be read (" +
                std::strerror(file.error()) + ")");
  }
  if (!file.is_regular()) {
    throw Error(path.string() + ": not a workbook file");
  }
}

std::int64_t Nanoseconds(const struct timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

}  // namespace

WorkbookCache::Stamp WorkbookCache::StampOf(const struct stat& info) {
  return {static_cast<std::uint64_t>(info.st_size),
          static_cast<std::uint64_t>(info.st_ino), Nanoseconds(info.st_mtim),
          Nanoseconds(info.st_ctim)};
}

std::string WorkbookCache::KeyOf(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::absolute(path, ec).lexically_normal().string();
}

WorkbookCache::Entry WorkbookCache::Decode(const std::filesystem::path& path) {
  auto file = std::make_shared<const FileBytes>(path);
  CheckRead(*file, path);
  Stamp stamp = StampOf(file->info());
  std::string_view bytes = file->bytes();
  return {stamp, std::make_shared<const xls::BookData>(
                     ReadWorkbookFile(bytes, std::move(file), path.string()))};
}

std::shared_ptr<const xls::BookData> WorkbookCache::Load(
    const std::filesystem::path& path) {
  std::string key = KeyOf(path);
  std::optional<Entry> ahead = TakeReadAhead(key);
  struct stat info {};
  bool stamped = ::stat(path.c_str(), &info) == 0;
  if (stamped) {
    if (auto it = entries_.find(key);
        it != entries_.end() && it->second.stamp == StampOf(info)) {
      return it->second.book;
    }
  }
  Entry entry = ahead && stamped && ahead->stamp == StampOf(info)
                    ? std::move(*ahead)
                    : Decode(path);
  if (entries_.size() >= kMaxEntries) entries_.clear();
  entries_[key] = entry;
  return entry.book;
}

void WorkbookCache::ReadAhead(const std::vector<std::filesystem::path>& paths) {
  {
    std::lock_guard lock(ahead_mutex_);
    // Read from the last: whoever opens the files in the order given reads
    // the first ones itself and meets the reading halfway.
    for (auto path = paths.rbegin(); path != paths.rend(); ++path) {
      std::string key = KeyOf(*path);
      if (ahead_.contains(key)) continue;
      ahead_[key].path = *path;
      ahead_queue_.push_back(std::move(key));
    }
  }
  if (!reader_.joinable()) {
    try {
      reader_ = std::thread([this] { ReadAheadWork(); });
    } catch (const std::system_error&) {
      // Without a thread every file is read when it is opened.
      std::lock_guard lock(ahead_mutex_);
      ahead_.clear();
      ahead_queue_.clear();
      return;
    }
  }
  ahead_changed_.notify_all();
}

void WorkbookCache::ReadAheadWork() {
  std::unique_lock lock(ahead_mutex_);
  for (;;) {
    ahead_changed_.wait(lock,
                        [this] { return stopping_ || !ahead_queue_.empty(); });
    if (stopping_) return;
    std::string key = std::move(ahead_queue_.front());
    ahead_queue_.pop_front();
    auto it = ahead_.find(key);
    if (it == ahead_.end() || it->second.state != Ahead::State::kWaiting) {
      continue;  // taken by Load meanwhile
    }
    it->second.state = Ahead::State::kReading;
    std::filesystem::path path = it->second.path;
    lock.unlock();
    std::optional<Entry> entry;
    try {
      entry = Decode(path);
    } catch (...) {
      // Load reads the file again and reports what is wrong with it.
    }
    lock.lock();
    Ahead& ahead = ahead_[key];
    ahead.entry = std::move(entry);
    ahead.state = Ahead::State::kRead;
    ahead_changed_.notify_all();
  }
}

std::optional<WorkbookCache::Entry> WorkbookCache::TakeReadAhead(
    const std::string& key) {
  std::unique_lock lock(ahead_mutex_);
  auto it = ahead_.find(key);
  if (it == ahead_.end()) return std::nullopt;
  ahead_changed_.wait(
      lock, [&] { return it->second.state != Ahead::State::kReading; });
  std::optional<Entry> entry = std::move(it->second.entry);
  ahead_.erase(it);  // one not begun yet is read by Load itself
  return entry;
}

void WorkbookCache::Clear() {
  entries_.clear();
  std::lock_guard lock(ahead_mutex_);
  std::erase_if(ahead_, [](const auto& item) {
    return item.second.state != Ahead::State::kReading;
  });
}

WorkbookCache::~WorkbookCache() {
  {
    std::lock_guard lock(ahead_mutex_);
    stopping_ = true;
  }
  ahead_changed_.notify_all();
  if (reader_.joinable()) reader_.join();
}

}  // namespace tarnwick::spreadsheet
