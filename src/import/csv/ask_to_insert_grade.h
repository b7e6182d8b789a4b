#ifndef TARNWICK_IMPORT_CSV_ASK_TO_INSERT_GRADE_H_
#define TARNWICK_IMPORT_CSV_ASK_TO_INSERT_GRADE_H_

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/host.h"
#include "import/price_module.h"

namespace tarnwick::import {

// The question asked for a grade its dictionary lacks, e.g.
//   Clarity " VS3 " not defined in Clarity.txt file.
//   Do you want to insert this into System\Clarity.txt file
std::string InsertGradeQuestion(const std::string& grade, std::int16_t kind);

// Asks whether `grade` (clarity for kind 0, colour otherwise) is to join its
// dictionary. On Yes the grade is added as a line of its own at the end of
// the very file the dictionary was loaded from, and to the list in `state`,
// and true comes back; on No nothing is written. Throws Error naming the
// file when it cannot be written.
bool AskToInsertGrade(const std::string& grade, std::int16_t kind,
                      const std::filesystem::path& app_folder,
                      CsvImportState& state, Host& host);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_CSV_ASK_TO_INSERT_GRADE_H_
