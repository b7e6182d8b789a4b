#include "spreadsheet/xls/record_reader.h"

#include "core/error.h"
#include "spreadsheet/xls/byte_order.h"

namespace tarnwick::spreadsheet::xls {

std::uint16_t RecordReader::PeekType() const {
  if (offset_ + 4 > stream_.size()) return 0;
  return GetU16(stream_.data() + offset_);
}

void RecordReader::Fail(bool header) const {
  throw Error(std::string(what_) +
              (header ? ": the workbook is truncated (a record is cut off at "
                        "byte " +
                            std::to_string(offset_) + ")"
                      : ": the workbook is truncated (a record at byte " +
                            std::to_string(offset_) +
                            " runs past the end of the stream)"));
}

}  // namespace tarnwick::spreadsheet::xls
