#include "spreadsheet/xls/record_reader.h"

#include "core/error.h"
#include "spreadsheet/xls/byte_order.h"

namespace tarnwick::spreadsheet::xls {

std::uint16_t RecordReader::PeekType() const {
  if (offset_ + 4 > stream_.size()) return 0;
  return GetU16(stream_.data() + offset_);
}

RecordView RecordReader::Next() {
  if (offset_ + 4 > stream_.size()) {
    throw Error(std::string(what_) +
                ": the workbook is truncated (a record is cut off at byte " +
                std::to_string(offset_) + ")");
  }
  RecordView r;
  r.offset = offset_;
  r.type = GetU16(stream_.data() + offset_);
  std::size_t length = GetU16(stream_.data() + offset_ + 2);
  if (offset_ + 4 + length > stream_.size()) {
    throw Error(std::string(what_) +
                ": the workbook is truncated (a record at byte " +
                std::to_string(offset_) + " runs past the end of the stream)");
  }
  r.data = stream_.substr(offset_ + 4, length);
  offset_ += 4 + length;
  return r;
}

}  // namespace tarnwick::spreadsheet::xls
