#ifndef TARNWICK_OCTONUS_RUN_COPIES_H_
#define TARNWICK_OCTONUS_RUN_COPIES_H_

#include <cstdint>
#include <filesystem>
#include <vector>

#include "spreadsheet/application.h"

namespace tarnwick {

// The workbook copies a conversion run opens: a copy of the price workbook
// and of every discount workbook for each sheet. The writer only reads
// them, so a sheet is handed the copy an earlier sheet of the same run made
// of the same file, unless the file has changed since or the copy was
// closed; a run over fifty sheets reads each workbook once. The copies are
// released when the run ends, on every path.
class RunCopies {
 public:
  RunCopies() = default;
  ~RunCopies();
  RunCopies(const RunCopies&) = delete;
  RunCopies& operator=(const RunCopies&) = delete;

  // Whether `file` exists. What it finds is kept for an Open of the same
  // file right after, which then need not look at the file again (a run of
  // fifty sheets over six workbooks asks 300 times).
  bool Exists(const std::filesystem::path& file);
  // A copy of `file` made by `app`: an open one of this run, or a new one.
  spreadsheet::Workbook& Open(spreadsheet::Application& app,
                              const std::filesystem::path& file);
  // Closes every copy still open, without saving.
  void CloseAll();
  int OpenCount() const;

 private:
  // What tells one state of a file from the next: a workbook saved again is
  // a new file renamed over the old one, and a file written in place
  // changes its size or its times.
  struct FileState {
    std::uintmax_t device = 0, inode = 0, size = 0;
    std::int64_t modified_ns = 0, changed_ns = 0;
    bool operator==(const FileState&) const = default;
  };
  static bool ReadFileState(const std::filesystem::path& file,
                            FileState& state);

  struct Copy {
    spreadsheet::Workbook* book;
    std::filesystem::path file;
    FileState state;
  };
  std::vector<Copy> copies_;
  // What the last Exists found, for the Open that follows it.
  std::filesystem::path probed_;
  bool probed_exists_ = false;
  FileState probed_state_;
};

}  // namespace tarnwick

#endif  // TARNWICK_OCTONUS_RUN_COPIES_H_
