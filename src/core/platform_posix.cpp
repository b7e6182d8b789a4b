// The platform seam on POSIX systems (Linux, the BSDs, macOS).

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <utility>

#include "core/error.h"
#include "core/platform.h"

namespace tarnwick::platform {
namespace {

std::int64_t Nanoseconds(const struct timespec& t) {
  return static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

FileStamp StampFrom(const struct stat& info) {
#ifdef __APPLE__
  const struct timespec& modified = info.st_mtimespec;
#else
  const struct timespec& modified = info.st_mtim;
#endif
  return {static_cast<std::uint64_t>(info.st_size), Nanoseconds(modified),
          static_cast<std::uint64_t>(info.st_dev),
          static_cast<std::uint64_t>(info.st_ino)};
}

// Closes `fd` keeping errno as it was.
void CloseQuietly(int fd) {
  int error = errno;
  ::close(fd);
  errno = error;
}

// Below this, copying the file costs less than mapping it.
constexpr std::size_t kMappedFrom = 1 << 18;

// `fd`'s first `size` bytes mapped read-only, or none when mapping fails or
// the file changed before its pages were in.
const char* MapUnchanged(int fd, std::size_t size, const FileStamp& stamp) {
  void* area =
      ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
  if (area == MAP_FAILED) return nullptr;
  struct stat info;
  if (::fstat(fd, &info) != 0 || !(StampFrom(info) == stamp)) {
    ::munmap(area, size);
    return nullptr;
  }
  return static_cast<const char*>(area);
}

}  // namespace

void ReleaseFileMemory::operator()(const char* data) const {
  if (mapped == 0) {
    delete[] data;
  } else {
    ::munmap(const_cast<char*>(data), mapped);
  }
}

std::optional<FileStamp> StampOf(const std::filesystem::path& path,
                                 std::error_code& error) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0) {
    error.assign(errno, std::generic_category());
    return std::nullopt;
  }
  error.clear();
  return StampFrom(info);
}

ReadResult ReadWholeFile(const std::filesystem::path& path) {
  ReadResult result;
  // Opened without waiting, so that a pipe with no writer does not hold the
  // program up before it is found not to be a file.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat info;
  if (fd < 0 || ::fstat(fd, &info) != 0) {
    result.outcome =
        errno == ENOENT ? ReadOutcome::kMissing : ReadOutcome::kFailed;
    result.reason = std::strerror(errno);
    if (fd >= 0) CloseQuietly(fd);
    return result;
  }
  result.stamp = StampFrom(info);
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    result.outcome = ReadOutcome::kNotRegular;
    result.reason = "not a regular file";
    return result;
  }
  auto size = static_cast<std::size_t>(info.st_size);
  if (size >= kMappedFrom) {
    if (const char* mapped = MapUnchanged(fd, size, result.stamp)) {
      ::close(fd);
      result.data = {mapped, ReleaseFileMemory{size}};
      result.size = size;
      return result;
    }
  }
  char* copy = new char[size];
  result.data = {copy, ReleaseFileMemory{}};
  while (result.size < size) {
    ssize_t n = ::read(fd, copy + result.size, size - result.size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.outcome = ReadOutcome::kFailed;
      result.reason = std::strerror(errno);
      result.data.reset();
      result.size = 0;
      break;
    }
    if (n == 0) break;
    result.size += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return result;
}

OutputFile::OutputFile(const std::filesystem::path& path, Opening opening)
    : path_(path), cut_(opening == Opening::kOverOlder) {
  int fd = ::open(path.c_str(),
                  O_WRONLY | O_CREAT | O_CLOEXEC |
                      (opening == Opening::kNewOnly ? O_EXCL : 0),
                  0666);
  if (fd < 0) {
    throw Error(path.string() + ": cannot be created (" + std::strerror(errno) +
                ")");
  }
  handle_ = fd;
}

OutputFile::~OutputFile() {
  if (handle_ != kClosed) ::close(static_cast<int>(handle_));
}

void OutputFile::Write(std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      throw Error(path_.string() + ": cannot be written (" +
                  std::strerror(errno) + ")");
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
    written_ += static_cast<std::uint64_t>(n);
  }
}

void OutputFile::Close() {
  if (handle_ == kClosed) return;
  int fd = static_cast<int>(std::exchange(handle_, kClosed));
  bool cut = !cut_ || ::ftruncate(fd, static_cast<off_t>(written_)) == 0;
  int error = cut ? 0 : errno;
  if (::close(fd) != 0 && cut) error = errno;
  if (error != 0) {
    throw Error(path_.string() + ": cannot be written (" +
                std::strerror(error) + ")");
  }
}

std::optional<std::string> WhyNotPlainFileName(std::string_view name) {
  if (name.empty()) return "the name is empty";
  if (name == "." || name == "..")
    return "the name is \"" + std::string(name) + "\"";
  for (char c : name) {
    if (c == '/' || c == '\\') return "the name holds a path separator";
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7f) {
      return "the name holds a control character";
    }
  }
  if (name.size() > NAME_MAX) {
    return "the name is longer than the file system takes";
  }
  return std::nullopt;
}

void AppendWhole(const std::filesystem::path& path, std::string_view bytes) {
  int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC);
  struct stat info;
  if (fd >= 0 && ::fstat(fd, &info) == 0 && !S_ISREG(info.st_mode)) {
    ::close(fd);
    throw Error(path.string() +
                ": cannot be opened for appending (not a regular file)");
  }
  if (fd < 0 || ::fstat(fd, &info) != 0) {
    std::string reason = std::strerror(errno);
    if (fd >= 0) ::close(fd);
    throw Error(path.string() + ": cannot be opened for appending (" + reason +
                ")");
  }
  int error = 0;
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : EIO;
      break;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  // Part of a line would stay in the file for good: the next append goes
  // after it.
  if (error != 0) (void)::ftruncate(fd, info.st_size);
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    throw Error(path.string() + ": cannot be written (" + std::strerror(error) +
                ")");
  }
}

FileLock::FileLock(const std::filesystem::path& path) {
  int fd =
      ::open(path.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    reason_ = std::strerror(errno);
    return;
  }
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    outcome_ =
        errno == EWOULDBLOCK ? Outcome::kHeldElsewhere : Outcome::kFailed;
    reason_ = std::strerror(errno);
    ::close(fd);
    return;
  }
  handle_ = fd;
  outcome_ = Outcome::kHeld;
}

FileLock::~FileLock() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

std::filesystem::path ProgramPath() {
  std::error_code ec;
  std::filesystem::path path =
      std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : path;
}

bool IsTerminal(Stream stream) {
  return ::isatty(stream == Stream::kInput ? STDIN_FILENO : STDERR_FILENO) != 0;
}

}  // namespace tarnwick::platform
