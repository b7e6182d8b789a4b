#include "core/file_bytes.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <new>

namespace tarnwick {

FileBytes::FileBytes(const std::filesystem::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 || ::fstat(fd, &info_) != 0) {
    error_ = errno;
    if (fd >= 0) ::close(fd);
    return;
  }
  if (S_ISREG(info_.st_mode) && info_.st_size > 0) ReadWhole(fd);
  ::close(fd);
}

void FileBytes::ReadWhole(int fd) {
  auto size = static_cast<std::size_t>(info_.st_size);
  try {
    // Not cleared first: every byte kept is read over.
    data_ = std::make_unique_for_overwrite<char[]>(size);
  } catch (const std::bad_alloc&) {
    error_ = ENOMEM;
    return;
  }
  // A file cut short meanwhile gives what it still holds; the reader then
  // finds it truncated.
  while (size_ < size) {
    ssize_t got = ::read(fd, data_.get() + size_, size - size_);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error_ = errno;
      data_.reset();
      size_ = 0;
      return;
    }
    if (got == 0) break;
    size_ += static_cast<std::size_t>(got);
  }
}

}  // namespace tarnwick
