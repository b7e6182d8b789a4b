#ifndef TARNWICK_CORE_MAPPED_FILE_H_
#define TARNWICK_CORE_MAPPED_FILE_H_

#include <sys/stat.h>

#include <filesystem>
#include <string_view>

namespace tarnwick {

// A file's bytes mapped read-only into memory, for files read in place and
// at random, as workbooks are. Reading a file into a fresh buffer makes the
// system hand over and clear a page for every 4 KB of it; a mapping shares
// the pages the file already has in the cache, which on big workbooks is
// most of the cost of reading them.
//
// Failure is not thrown: callers word it for the kind of file they meant.
class MappedFile {
 public:
  explicit MappedFile(const std::filesystem::path& path);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // 0 when the file is mapped (or empty), else the errno of the failure.
  int error() const { return error_; }
  // False for a folder, a device or a pipe, which are not mapped.
  bool is_regular() const { return S_ISREG(info_.st_mode); }
  const struct stat& info() const { return info_; }
  std::string_view bytes() const { return {data_ ? data_ : "", size_}; }

 private:
  struct stat info_ {};
  int error_ = 0;
  const char* data_ = nullptr;
  std::size_t size_ = 0;
};

}  // namespace tarnwick

#endif  // TARNWICK_CORE_MAPPED_FILE_H_
