#ifndef TARNWICK_SPREADSHEET_XLS_CONTINUED_DATA_H_
#define TARNWICK_SPREADSHEET_XLS_CONTINUED_DATA_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::spreadsheet::xls {

// The data of a record and the CONTINUE records after it, read as one run of
// bytes. Texts follow the format's rule for a split: where the characters of
// a string cross into the next record, that record starts with a fresh
// option byte saying whether the rest is compressed. Reading past the end
// throws Error naming `what`.
class ContinuedData {
 public:
  ContinuedData(std::vector<std::string_view> segments, std::string_view what);

  bool AtEnd() const;
  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  void Skip(std::size_t count);

  // XLUnicodeString (16-bit character count), as UTF-8. With `runs`, the
  // string's rich-text formatting runs (4 bytes each) are put there.
  std::string UnicodeString(std::string* runs = nullptr);
  // ShortXLUnicodeString (8-bit character count), as UTF-8.
  std::string ShortUnicodeString();
  // An Excel 5.0/95 string of `count` bytes in `code_page`, as UTF-8.
  std::string ByteString(std::size_t count, std::uint16_t code_page);

 private:
  std::string StringBody(std::size_t count, std::string* runs);
  // Moves on to the next segment when the current one is used up.
  void SettleSegment();
  [[noreturn]] void Truncated() const;

  std::vector<std::string_view> segments_;
  std::size_t segment_ = 0;
  std::size_t pos_ = 0;
  std::string_view what_;
};

// Appends an XLUnicodeString (16-bit count) or, with `short_count`, a
// ShortXLUnicodeString, compressed when every character fits one byte.
void AppendUnicodeString(std::string& out, std::string_view utf8,
                         bool short_count);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_CONTINUED_DATA_H_
