#ifndef TARNWICK_SPREADSHEET_XLS_RECORD_READER_H_
#define TARNWICK_SPREADSHEET_XLS_RECORD_READER_H_

#include <cstdint>
#include <string>
#include <string_view>

#include "spreadsheet/xls/byte_order.h"

namespace tarnwick::spreadsheet::xls {

// One record seen in place: its data is a view into the stream.
struct RecordView {
  std::uint16_t type = 0;
  std::size_t offset = 0;  // of the record header in the stream
  std::string_view data;
};

// Walks the records of a Workbook stream from a given offset. Every header
// and length is checked against the stream, so a damaged file gives an
// Error naming `what` instead of a read past the end.
class RecordReader {
 public:
  RecordReader(std::string_view stream, std::size_t offset,
               std::string_view what)
      : stream_(stream), offset_(offset), what_(what) {}

  bool AtEnd() const { return offset_ >= stream_.size(); }
  std::size_t offset() const { return offset_; }
  // The type of the next record without moving on; 0 at the end of the
  // stream or before a header that does not fit.
  std::uint16_t PeekType() const;
  // Every cell of a workbook passes here twice; the failures are out of line.
  RecordView Next() {
    if (offset_ + 4 > stream_.size()) Fail(true);
    RecordView r;
    r.offset = offset_;
    r.type = GetU16(stream_.data() + offset_);
    std::size_t length = GetU16(stream_.data() + offset_ + 2);
    if (offset_ + 4 + length > stream_.size()) Fail(false);
    r.data = stream_.substr(offset_ + 4, length);
    offset_ += 4 + length;
    return r;
  }

 private:
  // Throws Error: a header (true) or a record's data (false) is cut off.
  [[noreturn, gnu::cold]] void Fail(bool header) const;

  std::string_view stream_;
  std::size_t offset_;
  std::string_view what_;
};

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_RECORD_READER_H_
