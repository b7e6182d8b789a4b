#ifndef TARNWICK_IMPORT_CSV_KNOWN_GRADES_H_
#define TARNWICK_IMPORT_CSV_KNOWN_GRADES_H_

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick::import {

// Grades already found in a dictionary, as written. A price list names the
// same few grades over and over: asking here takes a hash of one word and
// one comparison, where the dictionary is searched entry by entry. Holds as
// many grades as a run of price lists names; a grade past that is simply
// looked up again each time.
class KnownGrades {
 public:
  bool Contains(std::string_view grade) const;
  void Add(std::string_view grade);
  void Clear();

 private:
  static constexpr std::size_t kSlots = 256;
  // The slot where the search for `grade` ends: its own or an empty one.
  std::size_t SlotOf(std::string_view grade) const;

  std::array<std::string, kSlots> grades_;
  std::array<bool, kSlots> used_{};
  std::size_t count_ = 0;
};

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_CSV_KNOWN_GRADES_H_
