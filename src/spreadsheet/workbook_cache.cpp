#include "spreadsheet/workbook_cache.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "core/error.h"
#include "core/mapped_file.h"
#include "spreadsheet/xls/workbook_reader.h"

namespace tarnwick::spreadsheet {
namespace {

// Enough for the price workbook, the discount workbooks and the templates.
constexpr std::size_t kMaxEntries = 16;

// The reasons a workbook file could not be mapped, worded for a workbook.
void CheckMapped(const MappedFile& file, const std::filesystem::path& path) {
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

std::shared_ptr<const xls::BookData> WorkbookCache::Load(
    const std::filesystem::path& path) {
  std::error_code ec;
  std::string key =
      std::filesystem::absolute(path, ec).lexically_normal().string();
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    Stamp stamp{static_cast<std::uint64_t>(info.st_size),
                static_cast<std::uint64_t>(info.st_ino),
                Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim)};
    if (auto it = entries_.find(key);
        it != entries_.end() && it->second.stamp == stamp) {
      return it->second.book;
    }
  }
  MappedFile file(path);
  CheckMapped(file, path);
  info = file.info();
  Stamp stamp{static_cast<std::uint64_t>(info.st_size),
              static_cast<std::uint64_t>(info.st_ino),
              Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim)};
  auto book = std::make_shared<const xls::BookData>(
      xls::ReadWorkbook(file.bytes(), path.string()));
  if (entries_.size() >= kMaxEntries) entries_.clear();
  entries_[key] = {stamp, book};
  return book;
}

}  // namespace tarnwick::spreadsheet
