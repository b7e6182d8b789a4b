#include "import/dbf/dbf_block_placement.h"

namespace tarnwick::import {
namespace {

DbfRecordRows Copies(int row, int copies, int step) {
  DbfRecordRows r;
  for (int j = 0; j < copies; ++j) r.rows[r.count++] = row + step * j;
  return r;
}

}  // namespace

DbfRecordRows DbfBlockPlacement::Rows() const {
  if (group_ == layout_.repeat_group) return Copies(row_, 7, 15);
  if (triple_ == 1) return Copies(row_, 3, 10);
  return Copies(row_, 1, 0);
}

void DbfBlockPlacement::NextRecord() {
  ++row_;
  ++count_;
  if (group_ < layout_.five_record_groups) {
    if (count_ < 5) return;
    ++group_;
    // The next group starts below the third copy of group 0, whether or not
    // its last record held a price (the copies are placed all the same).
    if (triple_ == 1) row_ += 20;
    triple_ = 0;
  } else {
    if (count_ < 10) return;
    ++group_;
  }
  count_ = 0;
  row_ += kRowsBetweenBlocks;
}

}  // namespace tarnwick::import
