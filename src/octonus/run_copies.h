#ifndef TARNWICK_OCTONUS_RUN_COPIES_H_
#define TARNWICK_OCTONUS_RUN_COPIES_H_

#include <filesystem>
#include <vector>

#include "core/platform.h"
#include "spreadsheet/application.h"

namespace tarnwick::octonus {

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

 private:
  struct Copy {
    spreadsheet::Workbook* book;
    std::filesystem::path file;
    platform::FileStamp state;
  };
  std::vector<Copy> copies_;
  // What the last Exists found, for the Open that follows it.
  std::filesystem::path probed_;
  bool probed_exists_ = false;
  platform::FileStamp probed_state_;
};

}  // namespace tarnwick::octonus

#endif  // TARNWICK_OCTONUS_RUN_COPIES_H_
