#include "core/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>

namespace tarnwick {

MappedFile::MappedFile(const std::filesystem::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0 || ::fstat(fd, &info_) != 0) {
    error_ = errno;
    if (fd >= 0) ::close(fd);
    return;
  }
  if (S_ISREG(info_.st_mode) && info_.st_size > 0) {
    size_ = static_cast<std::size_t>(info_.st_size);
    void* data = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
    if (data == MAP_FAILED) {
      error_ = errno;
      size_ = 0;
    } else {
      data_ = static_cast<const char*>(data);
    }
  }
  // The mapping holds the file; the descriptor is not needed any more.
  ::close(fd);
}

MappedFile::~MappedFile() {
  if (data_) ::munmap(const_cast<char*>(data_), size_);
}

}  // namespace tarnwick
