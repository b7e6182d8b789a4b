#include "spreadsheet/workbook_cache.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/error.h"
#include "spreadsheet/xls/workbook_reader.h"

namespace tarnwick::spreadsheet {
namespace {

// Enough for the price workbook, the discount workbooks and the templates.
constexpr std::size_t kMaxEntries = 16;

// A file's bytes mapped into memory for as long as it is decoded: no copy,
// and only the pages the reader touches are read.
class MappedFile {
 public:
  MappedFile(const std::filesystem::path& path, struct stat& info) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) Fail(path);
    if (!S_ISREG(info.st_mode)) {
      throw Error(path.string() + ": not a workbook file");
    }
    size_ = static_cast<std::size_t>(info.st_size);
    if (size_ == 0) return;
    void* data = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd_, 0);
    if (data == MAP_FAILED) Fail(path);
    data_ = static_cast<const char*>(data);
  }
  ~MappedFile() {
    if (data_) ::munmap(const_cast<char*>(data_), size_);
    if (fd_ >= 0) ::close(fd_);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::string_view bytes() const { return {data_ ? data_ : "", size_}; }

 private:
  [[noreturn]] void Fail(const std::filesystem::path& path) {
    int error = errno;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (error == ENOENT) {
      throw Error(path.string() + ": the workbook does not exist");
    }
    throw Error(path.string() + ": the workbook cannot be read (" +
                std::strerror(error) + ")");
  }

  int fd_ = -1;
  const char* data_ = nullptr;
  std::size_t size_ = 0;
};

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
  MappedFile file(path, info);
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
