#include "octonus/table_lookahead.h"

#include <algorithm>
#include <system_error>

#include "core/error.h"
#include "octonus/discount_sheets.h"
#include "octonus/table_writer.h"

namespace tarnwick {
namespace {

// How many planned sheets may be worked out ahead of the one being written:
// enough to keep both processors busy, few enough to hold little memory.
constexpr std::size_t kWindow = 4;

}  // namespace

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

void TableLookahead::Plan(const std::vector<Inputs>& coming) {
  if (unavailable_) return;
  std::deque<std::unique_ptr<Job>> jobs;
  for (const Inputs& inputs : coming) {
    auto job = std::make_unique<Job>();
    job->inputs = inputs;
    try {
      job->price = spreadsheet::CellReader::Detached(
          *inputs.price, spreadsheet::CellReader::Use::kValues);
      for (const spreadsheet::Sheet* sheet : inputs.discounts) {
        job->discounts.emplace_back();
        if (sheet) {
          job->discounts.back() = spreadsheet::CellReader::Detached(
              *sheet, spreadsheet::CellReader::Use::kValues);
        }
      }
    } catch (const Error&) {
      break;  // that sheet and those after it are worked out as usual
    }
    jobs.push_back(std::move(job));
  }
  {
    std::lock_guard lock(mutex_);
    // Jobs under way finish before they go: Take waits for them.
    for (auto& job : jobs_) {
      if (job->state == Job::State::kWorking) jobs.push_front(std::move(job));
    }
    jobs_ = std::move(jobs);
  }
  if (!thread_.joinable()) {
    try {
      thread_ = std::thread([this] { Work(); });
    } catch (const std::system_error&) {
      unavailable_ = true;
      std::lock_guard lock(mutex_);
      jobs_.clear();
      return;
    }
  }
  changed_.notify_all();
}

std::unique_ptr<RecordedTable> TableLookahead::Take(const Inputs& inputs) {
  std::unique_lock lock(mutex_);
  auto planned = std::find_if(jobs_.begin(), jobs_.end(), [&](const auto& job) {
    return job->inputs == inputs;
  });
  if (planned == jobs_.end()) return nullptr;
  Job& job = **planned;
  if (job.state == Job::State::kWaiting) WorkOutUnlocked(job, lock);
  // While the other processor finishes this sheet, this one works out a
  // sheet further on rather than wait idle.
  while (job.state != Job::State::kDone) {
    if (Job* other = NextWaiting()) {
      WorkOutUnlocked(*other, lock);
    } else {
      changed_.wait(lock);
    }
  }
  std::unique_ptr<RecordedTable> table = std::move(job.table);
  // This sheet and those before it are behind the batch now; one still
  // being worked out stays until it is done.
  int behind = inputs.sheet_index;
  std::erase_if(jobs_, [behind](const auto& j) {
    return j->state != Job::State::kWorking && j->inputs.sheet_index <= behind;
  });
  changed_.notify_all();
  return table;
}

TableLookahead::Job* TableLookahead::NextWaiting() {
  std::size_t ahead = 0;
  for (auto& job : jobs_) {
    if (job->state == Job::State::kDone) continue;
    if (++ahead > kWindow) return nullptr;
    if (job->state == Job::State::kWaiting) return job.get();
  }
  return nullptr;
}

void TableLookahead::WorkOutUnlocked(Job& job,
                                     std::unique_lock<std::mutex>& lock) {
  job.state = Job::State::kWorking;
  lock.unlock();
  WorkOut(job);
  lock.lock();
  job.state = Job::State::kDone;
  changed_.notify_all();
}

void TableLookahead::Work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    Job* job = nullptr;
    changed_.wait(
        lock, [&] { return stopping_ || (job = NextWaiting()) != nullptr; });
    if (stopping_) return;
    WorkOutUnlocked(*job, lock);
  }
}

// Only a failure the writer reports about the sheet is kept to be played
// back; any other (memory running out, say) leaves the sheet to be worked
// out as usual, which meets its own fate.
void TableLookahead::WorkOut(Job& job) {
  auto table = std::make_unique<RecordedTable>();
  table->Reserve(48 * 1024, 1536);  // a table of 24 price grids
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
