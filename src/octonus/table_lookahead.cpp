#include "octonus/table_lookahead.h"

#include <system_error>

#include "core/error.h"
#include "octonus/discount_sheets.h"
#include "octonus/table_writer.h"

namespace tarnwick {

bool TableLookahead::Inputs::operator==(const Inputs& other) const {
  return sheet_index == other.sheet_index && price == other.price &&
         discounts == other.discounts &&
         settings.space == other.settings.space &&
         settings.round == other.settings.round &&
         settings.digits == other.settings.digits && format == other.format;
}

TableLookahead::~TableLookahead() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void TableLookahead::Start(const Inputs& inputs) {
  if (unavailable_) return;
  auto job = std::make_unique<Job>();
  job->inputs = inputs;
  try {
    job->price = spreadsheet::CellReader::Detached(*inputs.price);
    for (const spreadsheet::Sheet* sheet : inputs.discounts) {
      job->discounts.emplace_back();
      if (sheet) {
        job->discounts.back() = spreadsheet::CellReader::Detached(
            *sheet, spreadsheet::CellReader::Use::kNumbers);
      }
    }
  } catch (const Error&) {
    return;  // the sheet will say what is wrong when it is written
  }
  {
    std::lock_guard lock(mutex_);
    if (job_ && !job_->done) return;  // busy: the sheet is worked out as usual
    job_ = std::move(job);
  }
  if (!thread_.joinable()) {
    try {
      thread_ = std::thread([this] { Work(); });
    } catch (const std::system_error&) {
      unavailable_ = true;
      std::lock_guard lock(mutex_);
      job_.reset();
      return;
    }
  }
  changed_.notify_all();
}

std::unique_ptr<RecordedTable> TableLookahead::Take(const Inputs& inputs) {
  std::unique_lock lock(mutex_);
  if (!job_ || !(job_->inputs == inputs)) return nullptr;
  changed_.wait(lock, [this] { return job_->done; });
  std::unique_ptr<Job> job = std::move(job_);
  return std::move(job->table);
}

void TableLookahead::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || (job_ && !job_->done); });
    if (stopping_) return;
    Job& job = *job_;  // stays while it is not done: Take waits for that
    lock.unlock();
    WorkOut(job);
    lock.lock();
    job.done = true;
    changed_.notify_all();
  }
}

// Only a failure the writer reports about the sheet is kept to be played
// back; any other (memory running out, say) leaves the sheet to be worked
// out as usual, which meets its own fate.
void TableLookahead::WorkOut(Job& job) {
  auto table = std::make_unique<RecordedTable>();
  table->Reserve(64 * 1024, 4096);
  try {
    DiscountSheets discounts(static_cast<int>(job.discounts.size()));
    for (std::size_t k = 0; k < job.discounts.size(); ++k) {
      if (job.discounts[k]) {
        discounts.SetCells(static_cast<int>(k) + 1, *job.discounts[k]);
      }
    }
    table->Finish(WriteTable(*job.price,
                             job.discounts.empty() ? nullptr : &discounts,
                             job.inputs.settings, job.inputs.format, *table));
  } catch (const Error& e) {
    table->Fail(e.what());
  } catch (...) {
    table.reset();
  }
  // The decoded sheets go with the work that needed them.
  job.price.reset();
  job.discounts.clear();
  job.table = std::move(table);
}

}  // namespace tarnwick
