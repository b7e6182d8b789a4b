#ifndef TARNWICK_SPREADSHEET_XLS_RECORD_READER_H_
#define TARNWICK_SPREADSHEET_XLS_RECORD_READER_H_

#include <cstdint>
#include <string>
#include <string_view>

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
  RecordView Next();

 private:
  std::string_view stream_;
  std::size_t offset_;
  std::string_view what_;
};

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_RECORD_READER_H_
