#include "core/text_file.h"

#include "core/error.h"
#include "core/windows1252.h"

namespace tarnwick {

namespace {

constexpr std::size_t kPending = 64 * 1024;

}  // namespace

TextFileWriter::TextFileWriter(const std::filesystem::path& path,
                               platform::OutputFile::Opening opening)
    : file_(path, opening) {
  pending_.reserve(kPending);
}

TextFileWriter::~TextFileWriter() {
  try {
    Close();
  } catch (const Error&) {
    // Close() is called where a failure can be reported.
  }
}

void TextFileWriter::Flush() {
  file_.Write(pending_);
  pending_.clear();
}

void TextFileWriter::WriteLine(std::string_view utf8) {
  if (!file_.IsOpen()) throw Error("file is closed");
  if (IsAscii(utf8)) {  // written as it stands
    pending_ += utf8;
  } else {
    pending_ += EncodeWindows1252(utf8);
  }
  pending_ += "\r\n";
  if (pending_.size() >= kPending) Flush();
}

void TextFileWriter::Close() {
  if (!file_.IsOpen()) return;
  Flush();
  file_.Close();
}

void AppendTextLine(const std::filesystem::path& path, std::string_view utf8) {
  platform::ReadResult read = platform::ReadWholeFile(path);
  if (read.outcome != platform::ReadOutcome::kRead) {
    throw Error(path.string() + ": cannot be opened for appending (" +
                read.reason + ")");
  }
  std::string bytes;
  std::string_view old = read.bytes();
  if (!old.empty() && old.back() != '\n' && old.back() != '\r') {
    bytes = "\r\n";
  }
  bytes += EncodeWindows1252(utf8);
  bytes += "\r\n";
  platform::AppendWhole(path, bytes);
}

}  // namespace tarnwick
