#ifndef TARNWICK_IMPORT_CSV_KNOWN_GRADES_H_
#define TARNWICK_IMPORT_CSV_KNOWN_GRADES_H_

#include <functional>
#include <string>
#include <unordered_set>

#include "core/text_hash.h"

namespace tarnwick::import {

// Grades already found in a dictionary, as written. A price list names the
// same few grades over and over, while a dictionary is searched entry by
// entry.
using KnownGrades = std::unordered_set<std::string, TextHash, std::equal_to<>>;

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_CSV_KNOWN_GRADES_H_
