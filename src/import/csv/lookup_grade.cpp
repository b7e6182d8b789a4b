#include "import/csv/lookup_grade.h"

#include "core/letter_case.h"

namespace tarnwick::import {

std::int16_t LookupGrade(const CsvImportState& state, std::string_view value,
                         std::int16_t kind) {
  const std::vector<std::string>& list =
      kind == kClarityGrade ? state.clarity_list : state.color_list;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (SameIgnoringCase(list[i], value)) {
      return static_cast<std::int16_t>(i + 2);
    }
  }
  return kGradeNotFound;
}

}  // namespace tarnwick::import
