#ifndef TARNWICK_CORE_PLATFORM_H_
#define TARNWICK_CORE_PLATFORM_H_

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// What Tarnwick needs of the operating system beyond the C++ standard
// library: reading a file whole, writing a table over an older one, telling
// one state of a file from the next, the program's own path and whether a
// person sits at the terminal. Each system implements this file once
// (platform_posix.cpp); nothing else in the program calls the system.
namespace tarnwick::platform {

// One state of a file. A file written in place changes its size or its time
// of change; one saved by renaming a new file over it has another identity.
struct FileStamp {
  std::uint64_t size = 0;
  std::int64_t modified_ns = 0;  // since 1970
  // The file's identity: its volume and its number there.
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of `path`, or none with `error` saying why:
// std::errc::no_such_file_or_directory or not_a_directory for a file that is
// not there.
std::optional<FileStamp> StampOf(const std::filesystem::path& path,
                                 std::error_code& error);

// How reading a file whole ended: kMissing when the file does not exist.
enum class ReadOutcome { kRead, kMissing, kNotRegular, kFailed };

// Gives back the memory holding a file read whole: memory of the heap when
// `mapped` is 0, else a mapping of the file of that many bytes.
struct ReleaseFileMemory {
  std::size_t mapped = 0;
  void operator()(const char* data) const;
};

struct ReadResult {
  ReadOutcome outcome = ReadOutcome::kRead;
  std::string reason;  // in the system's words, when not kRead
  FileStamp stamp;     // of the file read
  // The bytes, read-only. A file of 256 KB or more is mapped rather than
  // copied, its pages brought in by one call: copying a workbook of tens of
  // megabytes into memory of its own costs more than everything else a
  // conversion does with it.
  std::unique_ptr<const char[], ReleaseFileMemory> data;
  std::size_t size = 0;
  std::string_view bytes() const { return {data.get(), size}; }
};

// Reads the regular file `path` whole. A folder, a device or a pipe is never
// read (reading one could wait for ever): kNotRegular. A file cut short
// while it is read gives what it still holds. A big file is mapped only when
// its stamp is the same after mapping as before, else copied; one cut short
// by another program while its mapping is still in use brings the program
// down, as with every program that maps its input.
ReadResult ReadWholeFile(const std::filesystem::path& path);

// A file written from its start, created when missing. An older file is
// written over in place and cut to the new length on closing, not emptied
// first: ext4 pushes a file emptied and written again to the disk at once
// when it closes, which costs more than writing the table itself.
class OutputFile {
 public:
  // kNewOnly creates the file exclusively, failing when one is there: a file
  // another run put there meanwhile is never written through, and one made
  // anew needs no cutting on closing.
  enum class Opening { kOverOlder, kNewOnly };
  // Throws Error "<path>: cannot be created (<reason>)".
  explicit OutputFile(const std::filesystem::path& path,
                      Opening opening = Opening::kOverOlder);
  ~OutputFile();  // closes a file not closed yet, keeping what it holds
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Throws Error "<path>: cannot be written (<reason>)", as Close does.
  void Write(std::string_view bytes);
  // Cuts the file after the bytes written and closes it.
  void Close();
  bool IsOpen() const { return handle_ != kClosed; }

 private:
  static constexpr std::intptr_t kClosed = -1;
  std::filesystem::path path_;
  std::intptr_t handle_ = kClosed;
  std::uint64_t written_ = 0;
  bool cut_ = true;  // an older file may go on past what is written
};

// Why `name` cannot be the name of a file inside a folder, or none when it
// can: a path separator of either kind, a control character (NUL among
// them), "." or "..", or more bytes than the file system takes in a name.
std::optional<std::string> WhyNotPlainFileName(std::string_view name);

// Adds `bytes` at the end of the regular file `path`, or leaves the file as
// it was: a write that fails part way is cut back to the old length. Throws
// Error "<path>: cannot be written (<reason>)" (or "cannot be opened for
// appending" when it is missing or not a regular file).
void AppendWhole(const std::filesystem::path& path, std::string_view bytes);

// An exclusive lock on the file `path`, created when missing, taken without
// waiting and held while the object lives. The system drops it when the
// process ends, however it ends, so a killed run never blocks the next.
class FileLock {
 public:
  enum class Outcome { kHeld, kHeldElsewhere, kFailed };
  explicit FileLock(const std::filesystem::path& path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  Outcome outcome() const { return outcome_; }
  const std::string& reason() const { return reason_; }  // when not kHeld

 private:
  std::intptr_t handle_ = -1;
  Outcome outcome_ = Outcome::kFailed;
  std::string reason_;
};

// The running program's own file; empty when the system cannot tell.
std::filesystem::path ProgramPath();

enum class Stream { kInput, kError };
// Whether `stream` is a terminal (else a file or a pipe).
bool IsTerminal(Stream stream);

}  // namespace tarnwick::platform

#endif  // TARNWICK_CORE_PLATFORM_H_
