#include "import/dbf/dbf_table_list.h"

#include <string>

#include "core/letter_case.h"
#include "filelists/fill_file_list.h"

namespace tarnwick::import {

const std::array<DbfTableEntry, 5>& DbfTableList() {
  static const std::array<DbfTableEntry, 5> kList = {{
      {"rnddat.dbf", "Rnddat", 1, {6, 17, 0}},
      {"mqdat.dbf", "mqdat", 2, {2, 13, 1}},
      {"peardat.dbf", "peardat", 3, {2, 13, 1}},
      {"emdat.dbf", "emdat", 4, {2, 13, 1}},
      {"prndat.dbf", "prndat", 5, {2, 13, 1}},
  }};
  return kList;
}

std::optional<std::filesystem::path> FindTableFile(
    const std::filesystem::path& folder, const char* file_name) {
  for (const auto& file : filelists::FolderFiles(folder)) {
    if (SameIgnoringCase(file.filename().string(), file_name)) return file;
  }
  return std::nullopt;
}

}  // namespace tarnwick::import
