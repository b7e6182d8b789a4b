#include "spreadsheet/workbook_cache.h"

#include <system_error>

#include "core/error.h"
#include "spreadsheet/workbook_file.h"

namespace tarnwick::spreadsheet {
namespace {

// Enough for the price workbook, the discount workbooks and the templates.
constexpr std::size_t kMaxEntries = 16;

std::string KeyOf(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::absolute(path, ec).lexically_normal().string();
}

}  // namespace

WorkbookCache::Entry WorkbookCache::Decode(const std::filesystem::path& path) {
  platform::ReadResult read = platform::ReadWholeFile(path);
  switch (read.outcome) {
    case platform::ReadOutcome::kRead:
      break;
    case platform::ReadOutcome::kMissing:
      throw Error(path.string() + ": the workbook does not exist");
    case platform::ReadOutcome::kNotRegular:
      throw Error(path.string() + ": not a workbook file");
    case platform::ReadOutcome::kFailed:
      throw Error(path.string() + ": the workbook cannot be read (" +
                  read.reason + ")");
  }
  // The decoded workbook reads its sheets from these bytes later on.
  std::string_view bytes = read.bytes();
  std::shared_ptr<const void> owner(std::move(read.data));
  return {read.stamp, std::make_shared<const xls::BookData>(ReadWorkbookFile(
                          bytes, std::move(owner), path.string()))};
}

std::shared_ptr<const xls::BookData> WorkbookCache::Load(
    const std::filesystem::path& path) {
  std::string key = KeyOf(path);
  std::error_code ec;
  std::optional<platform::FileStamp> stamp = platform::StampOf(path, ec);
  if (stamp) {
    if (auto it = entries_.find(key);
        it != entries_.end() && it->second.stamp == *stamp) {
      return it->second.book;
    }
  }
  Entry entry = Decode(path);
  if (entries_.size() >= kMaxEntries) entries_.clear();
  entries_[key] = entry;
  return entry.book;
}

}  // namespace tarnwick::spreadsheet
