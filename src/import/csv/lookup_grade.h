#ifndef TARNWICK_IMPORT_CSV_LOOKUP_GRADE_H_
#define TARNWICK_IMPORT_CSV_LOOKUP_GRADE_H_

#include <cstdint>
#include <string_view>

#include "import/price_module.h"

namespace tarnwick::import {

// The `kind` of a grade: 0 looks in the clarity dictionary, any other value
// in the colour dictionary.
constexpr std::int16_t kClarityGrade = 0;
constexpr std::int16_t kColorGrade = 1;

// The position of the first dictionary entry equal to `value` without regard
// to letter case, plus 2; -999 when the dictionary does not hold it.
constexpr std::int16_t kGradeNotFound = -999;
std::int16_t LookupGrade(const CsvImportState& state, std::string_view value,
                         std::int16_t kind);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_CSV_LOOKUP_GRADE_H_
