#ifndef TARNWICK_OCTONUS_TABLE_LOOKAHEAD_H_
#define TARNWICK_OCTONUS_TABLE_LOOKAHEAD_H_

#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "octonus/discounted_price.h"
#include "octonus/table_output.h"
#include "octonus/writer_settings.h"
#include "spreadsheet/application.h"
#include "spreadsheet/cell_reader.h"

namespace tarnwick {

// Works out the table of the next sheet of a batch on the second processor
// while the current sheet is written. The next sheet then plays the table
// back instead of working it out, after doing everything else as it always
// does: opening the workbooks, asking about missing ones, creating its file.
// A table worked out ahead is used only when the sheet turns out to read
// exactly what was read ahead (the same copies of the same workbooks, the
// same settings); anything else, and the sheet is worked out as usual.
class TableLookahead {
 public:
  // Everything a table depends on, the sheets by identity: a workbook
  // changed on disk is opened as a new copy.
  struct Inputs {
    int sheet_index = 0;
    const spreadsheet::Sheet* price = nullptr;
    std::vector<const spreadsheet::Sheet*> discounts;  // by level; null: none
    WriterSettings settings;
    DiscountFormat format = DiscountFormat::kMultiplier;
    bool operator==(const Inputs& other) const;
  };

  TableLookahead() = default;
  ~TableLookahead();  // waits for work under way
  TableLookahead(const TableLookahead&) = delete;
  TableLookahead& operator=(const TableLookahead&) = delete;

  // The sheet the batch converts after the current one (1-based), or 0.
  int next_sheet() const { return next_sheet_; }
  void set_next_sheet(int sheet_index) { next_sheet_ = sheet_index; }

  // Starts working out the table for `inputs` unless other work is under
  // way. Call on the workbooks' thread, which makes the detached readers.
  void Start(const Inputs& inputs);
  // The table worked out for exactly `inputs`, once it is done; null when
  // there is none (then the sheet is worked out as usual).
  std::unique_ptr<RecordedTable> Take(const Inputs& inputs);

 private:
  struct Job {
    Inputs inputs;
    std::optional<spreadsheet::CellReader> price;
    std::vector<std::optional<spreadsheet::CellReader>> discounts;
    std::unique_ptr<RecordedTable> table;  // null until done, or unusable
    bool done = false;
  };
  void Work();
  static void WorkOut(Job& job);

  int next_sheet_ = 0;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::unique_ptr<Job> job_;
  bool stopping_ = false;
  bool unavailable_ = false;
  std::thread thread_;
};

}  // namespace tarnwick

#endif  // TARNWICK_OCTONUS_TABLE_LOOKAHEAD_H_
