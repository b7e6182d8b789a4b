#ifndef TARNWICK_IMPORT_DBF_DBF_BLOCK_PLACEMENT_H_
#define TARNWICK_IMPORT_DBF_DBF_BLOCK_PLACEMENT_H_

#include <array>

namespace tarnwick::import {

// How a table's records fill the blocks of its sheet (the last three columns
// of the table list).
struct DbfTableLayout {
  // fiveRecordGroups: groups 0 .. this - 1 hold 5 records, later ones 10.
  int five_record_groups = 0;
  // repeatGroup: the group that also fills the six blocks below its own.
  int repeat_group = 0;
  // tripleFirstGroup: 1 when group 0 also fills the two blocks below it.
  int triple_first_group = 0;
};

// The rows a record goes to: its own row, then the rows of its copies.
struct DbfRecordRows {
  std::array<int, 7> rows{};
  int count = 0;
};

// Walks the records of one table through its groups and blocks: the first
// block starts at row 7, each block is its group's records followed by five
// rows left to the sheet's own keyword rows.
class DbfBlockPlacement {
 public:
  static constexpr int kFirstRow = 7;
  static constexpr int kRowsBetweenBlocks = 5;

  explicit DbfBlockPlacement(const DbfTableLayout& layout)
      : layout_(layout), triple_(layout.triple_first_group) {}

  // Where the current record's prices go.
  DbfRecordRows Rows() const;
  // The current record has been taken; moves on to the next one.
  void NextRecord();

 private:
  DbfTableLayout layout_;
  int row_ = kFirstRow;
  int group_ = 0;
  int count_ = 0;
  int triple_;
};

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_DBF_DBF_BLOCK_PLACEMENT_H_
