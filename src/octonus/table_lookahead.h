#ifndef TARNWICK_OCTONUS_TABLE_LOOKAHEAD_H_
#define TARNWICK_OCTONUS_TABLE_LOOKAHEAD_H_

#include <condition_variable>
#include <deque>
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

// Works out the tables of a batch's coming sheets ahead, on the second
// processor and, while it waits, on the batch's own. Each sheet then plays
// its table back instead of working it out, after doing everything else as
// it always does, in order: opening the workbooks, asking about missing
// ones, creating its file. A table worked out ahead is used only when the
// sheet turns out to read exactly what was read ahead (the same copies of
// the same workbooks, the same settings); anything else, and the sheet is
// worked out as usual.
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

  // The sheets the batch converts after the current one (1-based), in order.
  const std::vector<int>& coming_sheets() const { return coming_; }
  void set_coming_sheets(std::vector<int> sheets) {
    coming_ = std::move(sheets);
  }

  // Plans the coming sheets in place of any planned before. Call on the
  // workbooks' thread, which makes the detached readers.
  void Plan(const std::vector<Inputs>& coming);
  // The table worked out for exactly `inputs`, once it is done (working
  // out others meanwhile); null when there is none, and then the sheet is
  // worked out as usual.
  std::unique_ptr<RecordedTable> Take(const Inputs& inputs);

 private:
  struct Job {
    Inputs inputs;
    std::optional<spreadsheet::CellReader> price;
    std::vector<std::optional<spreadsheet::CellReader>> discounts;
    enum class State { kWaiting, kWorking, kDone } state = State::kWaiting;
    std::unique_ptr<RecordedTable> table;  // null: none, or unusable
  };
  void Work();
  // The first waiting job no further ahead than the window, or null.
  Job* NextWaiting();
  // Works `job` out with the lock `lock` released meanwhile.
  void WorkOutUnlocked(Job& job, std::unique_lock<std::mutex>& lock);
  static void WorkOut(Job& job);

  std::vector<int> coming_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::unique_ptr<Job>> jobs_;  // in the batch's order
  bool stopping_ = false;
  bool unavailable_ = false;
  std::thread thread_;
};

}  // namespace tarnwick

#endif  // TARNWICK_OCTONUS_TABLE_LOOKAHEAD_H_
