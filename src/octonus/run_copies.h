#ifndef TARNWICK_OCTONUS_RUN_COPIES_H_
#define TARNWICK_OCTONUS_RUN_COPIES_H_

#include <vector>

#include "spreadsheet/application.h"

namespace tarnwick {

// The workbook copies a conversion run opens: a copy of the price workbook
// and of every discount workbook for each sheet. The writer keeps them open
// for the rest of the run; they are released when the run ends, on every
// path, so a failed or cancelled run leaves nothing behind.
class RunCopies {
 public:
  RunCopies() = default;
  ~RunCopies();
  RunCopies(const RunCopies&) = delete;
  RunCopies& operator=(const RunCopies&) = delete;

  // Remembers `book` and hands it back.
  spreadsheet::Workbook& Keep(spreadsheet::Workbook& book);
  // Closes every copy still open, without saving.
  void CloseAll();
  int OpenCount() const;

 private:
  std::vector<spreadsheet::Workbook*> books_;
};

}  // namespace tarnwick

#endif  // TARNWICK_OCTONUS_RUN_COPIES_H_
