#ifndef TARNWICK_IMPORT_DBF_DBF_TABLE_H_
#define TARNWICK_IMPORT_DBF_DBF_TABLE_H_

#include <shapefil.h>

#include <filesystem>
#include <string>
#include <string_view>

namespace tarnwick::import {

// One dBASE III / FoxPro 2.x table file, open for reading through shapelib.
// Its header is checked against the file before any record is read, so a
// file that is no table, or one cut short, fails at once with a reason
// instead of giving empty or half-read records.
class DbfTable {
 public:
  // Throws Error naming the file when it cannot be opened or is no table.
  explicit DbfTable(const std::filesystem::path& file);
  ~DbfTable();
  DbfTable(const DbfTable&) = delete;
  DbfTable& operator=(const DbfTable&) = delete;

  const std::filesystem::path& file() const { return file_; }
  // Records stored in the file, deleted ones included.
  int RecordCount() const;
  int FieldCount() const;
  std::string FieldName(int field) const;
  // The field's type letter as the header gives it: 'C', 'N', 'F', 'D', ...
  char FieldType(int field) const;

  // Reads record `record` (0-based); false when the file marks it deleted.
  // Throws Error when the record cannot be read.
  bool ReadRecord(int record);
  // The text of a field of the record last read, without leading and
  // trailing blanks, in the table's own single-byte code page.
  std::string_view FieldText(int field) const;

 private:
  std::filesystem::path file_;
  DBFHandle handle_ = nullptr;
  int record_ = -1;
};

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_DBF_DBF_TABLE_H_
