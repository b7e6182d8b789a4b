#include "octonus/run_copies.h"

#include <sys/stat.h>

#include <cerrno>
#include <exception>

namespace tarnwick {

RunCopies::~RunCopies() {
  try {
    CloseAll();
  } catch (const std::exception&) {
    // Releasing an in-memory copy has nothing a person could act on.
  }
}

bool RunCopies::ReadFileState(const std::filesystem::path& file,
                              FileState& state) {
  struct stat st;
  if (::stat(file.c_str(), &st) != 0) return false;
  state.device = st.st_dev;
  state.inode = st.st_ino;
  state.size = static_cast<std::uintmax_t>(st.st_size);
  state.modified_ns = st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec;
  state.changed_ns = st.st_ctim.tv_sec * 1000000000LL + st.st_ctim.tv_nsec;
  return true;
}

bool RunCopies::Exists(const std::filesystem::path& file) {
  probed_ = file;
  probed_exists_ = ReadFileState(file, probed_state_);
  // A file that cannot be looked at (a folder on the way not readable, a
  // loop of symbolic links) is not missing: opening it says why it cannot
  // be read, in the words used for any unreadable workbook.
  if (!probed_exists_ && errno != ENOENT && errno != ENOTDIR) {
    probed_.clear();
    return true;
  }
  return probed_exists_;
}

spreadsheet::Workbook& RunCopies::Open(spreadsheet::Application& app,
                                       const std::filesystem::path& file) {
  FileState state;
  bool known = false;
  if (!probed_.empty() && probed_ == file) {
    known = probed_exists_;
    state = probed_state_;
  } else {
    known = ReadFileState(file, state);
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

int RunCopies::OpenCount() const {
  int open = 0;
  for (const Copy& copy : copies_) {
    if (copy.book->IsOpen()) ++open;
  }
  return open;
}

}  // namespace tarnwick
