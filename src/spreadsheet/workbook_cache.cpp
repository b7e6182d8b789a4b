#include "spreadsheet/workbook_cache.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "core/error.h"
#include "core/file_bytes.h"
#include "spreadsheet/xls/workbook_reader.h"

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

std::shared_ptr<const xls::BookData> WorkbookCache::Load(
    const std::filesystem::path& path) {
  std::error_code ec;
  std::string key =
      std::filesystem::absolute(path, ec).lexically_normal().string();
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (auto it = entries_.find(key);
        it != entries_.end() && it->second.stamp == StampOf(info)) {
      return it->second.book;
    }
  }
  auto file = std::make_shared<const FileBytes>(path);
  CheckRead(*file, path);
  Stamp stamp = StampOf(file->info());
  std::string_view bytes = file->bytes();
  auto book = std::make_shared<const xls::BookData>(
      xls::ReadWorkbook(bytes, std::move(file), path.string()));
  if (entries_.size() >= kMaxEntries) entries_.clear();
  entries_[key] = {stamp, book};
  return book;
}

}  // namespace tarnwick::spreadsheet
