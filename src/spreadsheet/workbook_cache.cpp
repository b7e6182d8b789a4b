#include "spreadsheet/workbook_cache.h"

#include <fstream>

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
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
    throw Error(path.string() + ": the workbook cannot be read");
  }
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
  std::string key =
      std::filesystem::absolute(path, ec).lexically_normal().string();
  std::string bytes = ReadWholeFile(path);
  if (auto it = entries_.find(key);
      it != entries_.end() && it->second.bytes == bytes) {
    return it->second.book;
  }
  auto book = std::make_shared<const xls::BookData>(
      xls::ReadWorkbook(bytes, path.string()));
  if (entries_.size() >= kMaxEntries) entries_.clear();
  entries_[key] = {std::move(bytes), book};
  return book;
}

}  // namespace tarnwick::spreadsheet
