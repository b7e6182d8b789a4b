#include "import/csv/ask_to_insert_grade.h"

#include "core/text_file.h"
#include "import/csv/load_dictionaries.h"
#include "import/csv/lookup_grade.h"

namespace tarnwick::import {

std::string InsertGradeQuestion(const std::string& grade, std::int16_t kind) {
  const char* name = kind == kClarityGrade ? "Clarity" : "Color";
  return std::string(name) + " \" " + grade + " \" not defined in " + name +
         ".txt file.\r\nDo you want to insert this into System\\" + name +
         ".txt file";
}

bool AskToInsertGrade(const std::string& grade, std::int16_t kind,
                      const std::filesystem::path& app_folder,
                      CsvImportState& state, Host& host) {
  if (!host.AskYesNo(InsertGradeQuestion(grade, kind))) return false;
  // A dictionary whose last grade has no line end gets one first, so the new
  // grade is an entry of its own at the next load.
  AppendTextLine(DictionaryPath(app_folder, kind), grade);
  (kind == kClarityGrade ? state.clarity_list : state.color_list)
      .push_back(grade);
  return true;
}

}  // namespace tarnwick::import
