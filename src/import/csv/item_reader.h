#ifndef TARNWICK_IMPORT_CSV_ITEM_READER_H_
#define TARNWICK_IMPORT_CSV_ITEM_READER_H_

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace tarnwick {

// Reads the comma-separated items of a Windows-1252 text file: the CSV price
// lists, the sample colour file and the two dictionaries.
//
// Items end at a comma or a line end (CR LF, CR or LF); blanks before an item
// are skipped. A quoted item runs to the next quote, commas and line ends
// included; whatever stands between its closing quote and the next separator
// is dropped. Blanks at the end of an unquoted item are dropped too, so that
// "D ," and "D," name the same grade. Two separators in a row, or a blank
// line, give an empty item; a final line end gives none.
//
// The whole file is read when the reader is made, so no file stays open
// whatever way the caller leaves.
class ItemReader {
 public:
  // Throws Error naming the file when it cannot be read.
  explicit ItemReader(const std::filesystem::path& path);
  // Over a text already in memory (UTF-8).
  static ItemReader FromText(std::string text);

  bool AtEnd() const { return pos_ >= text_.size(); }
  // The next item with its characters kept. At the end, an empty text.
  std::string ReadText();
  // The next item as a value: an unquoted item that is a number as a whole
  // comes back in its NumberText form (0.30 gives 0.3, 007 gives 7); a quoted
  // item stays as written.
  std::string ReadValue();
  // Passes over the next item without keeping it.
  void SkipItem();

 private:
  ItemReader() = default;
  // Moves past the next item; `quoted` tells whether it was in quotes.
  std::string_view NextItem(bool* quoted);
  void SkipSeparator();

  std::string text_;
  std::size_t pos_ = 0;
};

// The number of items of a file, as the import counts them before it
// converts the file. Throws Error naming the file when it cannot be read.
double CountItems(const std::filesystem::path& path);

}  // namespace tarnwick

#endif  // TARNWICK_IMPORT_CSV_ITEM_READER_H_
