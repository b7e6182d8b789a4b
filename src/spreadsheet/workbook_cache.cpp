#include "spreadsheet/workbook_cache.h"

#include <fstream>
#include <iterator>

#include "core/error.h"
#include "spreadsheet/xls/workbook_reader.h"

namespace tarnwick::spreadsheet {
namespace {

// Enough for the price workbook, the discount workbooks and the templates.
constexpr std::size_t kMaxEntries = 16;

std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw Error(path.string() + ": the workbook cannot be opened");
  }
  std::string bytes((std::istreambuf_iterator<char>(in)),
                    std::istreambuf_iterator<char>());
  if (in.bad()) throw Error(path.string() + ": the workbook cannot be read");
  return bytes;
}

}  // namespace

std::shared_ptr<const xls::BookData> WorkbookCache::Load(
    const std::filesystem::path& path) {
  std::error_code ec;
  auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) {
    throw Error(path.string() + ": the workbook does not exist");
  }
  if (!std::filesystem::is_regular_file(status)) {
    throw Error(path.string() + ": not a workbook file");
  }
  std::uintmax_t size = std::filesystem::file_size(path, ec);
  auto changed = std::filesystem::last_write_time(path, ec);
  std::string key =
      std::filesystem::absolute(path, ec).lexically_normal().string();
  if (auto it = entries_.find(key); it != entries_.end()) {
    if (it->second.size == size && it->second.changed == changed) {
      return it->second.book;
    }
  }
  auto book = std::make_shared<const xls::BookData>(
      xls::ReadWorkbook(ReadWholeFile(path), path.string()));
  if (entries_.size() >= kMaxEntries) entries_.clear();
  entries_[key] = {size, changed, book};
  return book;
}

}  // namespace tarnwick::spreadsheet
