#ifndef TARNWICK_IMPORT_DBF_DBF_TABLE_LIST_H_
#define TARNWICK_IMPORT_DBF_DBF_TABLE_LIST_H_

#include <array>
#include <filesystem>
#include <optional>

#include "import/dbf/dbf_block_placement.h"

namespace tarnwick::import {

// One of the five price tables a DBF import looks for.
struct DbfTableEntry {
  const char* file_name;   // "rnddat.dbf"; found whatever its letter case
  const char* table_name;  // "Rnddat": shown in the progress caption
  int sheet_index;         // 1-based position of its sheet in the template
  DbfTableLayout layout;
};

// The tables in the order they are converted.
const std::array<DbfTableEntry, 5>& DbfTableList();

// The file in `folder` named `file_name` without regard to letter case (the
// first in name order when several are), or none.
std::optional<std::filesystem::path> FindTableFile(
    const std::filesystem::path& folder, const char* file_name);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_DBF_DBF_TABLE_LIST_H_
