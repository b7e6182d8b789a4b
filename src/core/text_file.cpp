#include "core/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/error.h"
#include "core/windows1252.h"

namespace tarnwick {
namespace {

std::string Reason(const std::filesystem::path& path, const char* what) {
  return path.string() + ": " + what + " (" + std::strerror(errno) + ")";
}

}  // namespace

std::string ReadTextFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(Reason(path, "cannot be opened"));
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) throw Error(Reason(path, "cannot be read"));
  return DecodeWindows1252(bytes.str());
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

TextFileWriter::TextFileWriter(const std::filesystem::path& path)
    : path_(path) {
  // A price table is tens of kilobytes: written in one or two calls rather
  // than one for every 4 KB, each of which costs a trip into the system.
  // The buffer is given: asked only for a size, the C library keeps 4 KB.
  constexpr std::size_t kBuffer = 64 * 1024;
  buffer_ = std::make_unique_for_overwrite<char[]>(kBuffer);
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd >= 0) file_ = ::fdopen(fd, "wb");
  if (file_ == nullptr) {
    int error = errno;
    if (fd >= 0) ::close(fd);
    errno = error;
    throw Error(Reason(path, "cannot be created"));
  }
  std::setvbuf(file_, buffer_.get(), _IOFBF, kBuffer);
}

TextFileWriter::~TextFileWriter() {
  if (file_ != nullptr) Finish();
}

bool TextFileWriter::Finish() {
  std::FILE* f = file_;
  file_ = nullptr;
  int error = 0;  // the first failure's
  if (std::fflush(f) != 0) error = errno;
  if (error == 0 && ::ftruncate(::fileno(f), written_) != 0) error = errno;
  if (std::fclose(f) != 0 && error == 0) error = errno;
  errno = error;
  return error == 0;
}

void TextFileWriter::WriteLine(std::string_view utf8) {
  if (file_ == nullptr) throw Error(path_.string() + ": file is closed");
  std::string encoded;
  std::string_view bytes = utf8;  // ASCII is written as it stands
  if (!IsAscii(utf8)) bytes = encoded = EncodeWindows1252(utf8);
  // The stream is this writer's alone: no lock is taken for each line.
  if (fwrite_unlocked(bytes.data(), 1, bytes.size(), file_) != bytes.size() ||
      fwrite_unlocked("\r\n", 1, 2, file_) != 2) {
    throw Error(Reason(path_, "cannot be written"));
  }
  written_ += static_cast<off_t>(bytes.size() + 2);
}

void TextFileWriter::Close() {
  if (file_ == nullptr) return;
  if (!Finish()) throw Error(Reason(path_, "cannot be written"));
}

void AppendTextLine(const std::filesystem::path& path, std::string_view utf8) {
  std::FILE* f = std::fopen(path.c_str(), "r+b");
  if (f == nullptr) throw Error(Reason(path, "cannot be opened for appending"));
  std::string bytes;
  if (std::fseek(f, 0, SEEK_END) == 0 && std::ftell(f) > 0) {
    std::fseek(f, -1, SEEK_END);
    int last = std::fgetc(f);
    if (last != '\n' && last != '\r') bytes = "\r\n";
    std::fseek(f, 0, SEEK_END);
  }
  bytes += EncodeWindows1252(utf8);
  bytes += "\r\n";
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  if (!ok) throw Error(Reason(path, "cannot be written"));
}

}  // namespace tarnwick
