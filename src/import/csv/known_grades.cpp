#include "import/csv/known_grades.h"

#include <cstdint>
#include <cstring>
#include <functional>

namespace tarnwick::import {
namespace {

std::size_t HashOf(std::string_view grade) {
  if (grade.size() > 8) return std::hash<std::string_view>{}(grade);
  std::uint64_t word = 0;
  std::memcpy(&word, grade.data(), grade.size());
  return static_cast<std::size_t>(
      ((word + grade.size()) * 0x9E3779B97F4A7C15ULL) >> 40);
}

}  // namespace

std::size_t KnownGrades::SlotOf(std::string_view grade) const {
  std::size_t slot = HashOf(grade) % kSlots;
  while (used_[slot] && grades_[slot] != grade) slot = (slot + 1) % kSlots;
  return slot;
}

bool KnownGrades::Contains(std::string_view grade) const {
  return used_[SlotOf(grade)];
}

void KnownGrades::Add(std::string_view grade) {
  // Half full at most, so that a search ends soon on an empty slot.
  if (count_ >= kSlots / 2) return;
  std::size_t slot = SlotOf(grade);
  if (used_[slot]) return;
  used_[slot] = true;
  grades_[slot] = grade;
  ++count_;
}

void KnownGrades::Clear() {
  for (std::size_t slot = 0; slot < kSlots; ++slot) {
    if (used_[slot]) grades_[slot].clear();
  }
  used_.fill(false);
  count_ = 0;
}

}  // namespace tarnwick::import
