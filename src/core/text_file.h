#ifndef TARNWICK_CORE_TEXT_FILE_H_
#define TARNWICK_CORE_TEXT_FILE_H_

#include <filesystem>
#include <string>
#include <string_view>

#include "core/platform.h"

namespace tarnwick {

// Writes Windows-1252 lines ending with CR LF. The file is created by the
// constructor and closed by Close() or the destructor, on every path; it then
// holds exactly the lines written (an older file is written over).
class TextFileWriter {
 public:
  explicit TextFileWriter(const std::filesystem::path& path,
                          platform::OutputFile::Opening opening =
                              platform::OutputFile::Opening::kOverOlder);
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  void WriteLine(std::string_view utf8);
  // Writes what is still held and closes; throws Error when the data did
  // not reach the file.
  void Close();

 private:
  void Flush();

  platform::OutputFile file_;
  // A price table is tens of kilobytes: it goes to the file in one or two
  // calls rather than one a line.
  std::string pending_;
};

// Adds one line at the end of an existing text file. When the file does not
// end with a line end, one is written first, so the new line stands alone.
// The file gets the whole line or stays byte for byte as it was. Throws
// Error naming the file when it is missing, not a regular file or cannot be
// written.
void AppendTextLine(const std::filesystem::path& path, std::string_view utf8);

}  // namespace tarnwick

#endif  // TARNWICK_CORE_TEXT_FILE_H_
