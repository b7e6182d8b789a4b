#ifndef TARNWICK_CORE_FILE_BYTES_H_
#define TARNWICK_CORE_FILE_BYTES_H_

#include <sys/stat.h>

#include <filesystem>
#include <string_view>

namespace tarnwick {

// A file's bytes read whole into memory, for files read in place and at
// random, as workbooks are. Mapping the file instead was tried: every 64 KB
// of a mapping is handed over by a fault of its own, and on the virtual
// machines the tool runs on that costs more than copying the file in one
// call. A private copy also cannot be cut short by someone writing the file
// meanwhile, so whatever is decoded from it later needs no check.
//
// Failure is not thrown: callers word it for the kind of file they meant.
class FileBytes {
 public:
  explicit FileBytes(const std::filesystem::path& path);
  ~FileBytes();
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;

  // 0 when the file was read whole (or is empty), else the errno of the
  // failure (ENOMEM when it does not fit in memory).
  int error() const { return error_; }
  // False for a folder, a device or a pipe, which are not read.
  bool is_regular() const { return S_ISREG(info_.st_mode); }
  const struct stat& info() const { return info_; }
  std::string_view bytes() const { return {data_ ? data_ : "", size_}; }

 private:
  bool Allocate(std::size_t size);
  void Free();
  void ReadWhole(int fd);

  struct stat info_ {};
  int error_ = 0;
  char* data_ = nullptr;
  std::size_t size_ = 0;
  std::size_t mapped_ = 0;  // the length of data_'s own mapping, if it has one
};

}  // namespace tarnwick

#endif  // TARNWICK_CORE_FILE_BYTES_H_
