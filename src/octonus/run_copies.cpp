#include "octonus/run_copies.h"

#include <exception>
#include <optional>
#include <system_error>

namespace tarnwick::octonus {

RunCopies::~RunCopies() {
  try {
    CloseAll();
  } catch (const std::exception&) {
    // Releasing an in-memory copy has nothing a person could act on.
  }
}

namespace {

// The stamp of `file` into `stamp`; false, with `error` saying why, when
// there is none.
bool ReadStamp(const std::filesystem::path& file, platform::FileStamp& stamp,
               std::error_code& error) {
  std::optional<platform::FileStamp> read = platform::StampOf(file, error);
  if (read) stamp = *read;
  return read.has_value();
}

}  // namespace

bool RunCopies::Exists(const std::filesystem::path& file) {
  probed_ = file;
  std::error_code error;
  probed_exists_ = ReadStamp(file, probed_state_, error);
  // A file that cannot be looked at (a folder on the way not readable, a
  // loop of symbolic links) is not missing: opening it says why it cannot
  // be read, in the words used for any unreadable workbook.
  if (!probed_exists_ && error != std::errc::no_such_file_or_directory &&
      error != std::errc::not_a_directory) {
    probed_.clear();
    return true;
  }
  return probed_exists_;
}

spreadsheet::Workbook& RunCopies::Open(spreadsheet::Application& app,
                                       const std::filesystem::path& file) {
  platform::FileStamp state;
  bool known = false;
  if (!probed_.empty() && probed_ == file) {
    known = probed_exists_;
    state = probed_state_;
  } else {
    std::error_code error;
    known = ReadStamp(file, state, error);
  }
  probed_.clear();
  if (known) {
    for (const Copy& copy : copies_) {
      if (copy.file == file && copy.state == state && copy.book->IsOpen()) {
        return *copy.book;
      }
    }
  }
  spreadsheet::Workbook& book = app.Workbooks().Add(file);
  // A file whose state cannot be read is never shared.
  if (known)
    copies_.push_back({&book, file, state});
  else
    copies_.push_back({&book, {}, state});
  return book;
}

void RunCopies::CloseAll() {
  std::vector<Copy> copies;
  copies.swap(copies_);
  for (const Copy& copy : copies) {
    if (copy.book->IsOpen()) copy.book->Close();
  }
}

}  // namespace tarnwick::octonus
