#ifndef TARNWICK_CORE_TEXT_FILE_H_
#define TARNWICK_CORE_TEXT_FILE_H_

#include <sys/types.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// The whole of a Windows-1252 text file, as UTF-8. Throws Error naming the
// file when it cannot be read.
std::string ReadTextFile(const std::filesystem::path& path);

// The lines of a text; CR LF, CR and LF all end a line, and a final line end
// gives no extra empty line.
std::vector<std::string> SplitLines(std::string_view text);

// Writes Windows-1252 lines ending with CR LF. The file is created by the
// constructor and closed by Close() or the destructor, on every path; it then
// holds exactly the lines written. An older file is written over in place and
// cut to the new length on closing, not emptied first: a file emptied and
// written again is pushed to the disk at once when it closes (ext4 guards
// files replaced that way), which costs more than the conversion itself.
class TextFileWriter {
 public:
  explicit TextFileWriter(const std::filesystem::path& path);
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  void WriteLine(std::string_view utf8);
  // Flushes and closes; throws Error when the data did not reach the disk.
  void Close();
  bool IsOpen() const { return file_ != nullptr; }
  const std::filesystem::path& path() const { return path_; }

 private:
  // Flushes, cuts off what an older file held past the lines written and
  // closes; false when any step failed.
  bool Finish();

  std::filesystem::path path_;
  std::unique_ptr<char[]> buffer_;  // the stream's; outlives it
  std::FILE* file_ = nullptr;
  off_t written_ = 0;  // the length the file is cut to
};

// Adds one line at the end of an existing text file. When the file does not
// end with a line end, one is written first, so the new line stands alone.
// Throws Error naming the file when it is missing or cannot be written.
void AppendTextLine(const std::filesystem::path& path, std::string_view utf8);

}  // namespace tarnwick

#endif  // TARNWICK_CORE_TEXT_FILE_H_
