#ifndef TARNWICK_IMPORT_CSV_ITEM_READER_H_
#define TARNWICK_IMPORT_CSV_ITEM_READER_H_

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/platform.h"

namespace tarnwick::import {

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
// The file is read whole when the reader is made. Separators and quotes are
// ASCII, so items are cut from the file's bytes and only the items
// themselves are decoded.
class ItemReader {
 public:
  // An item as it stands in the file: Windows-1252 bytes, without its
  // quotes. It lasts as long as the reader.
  struct Item {
    std::string_view bytes;
    bool quoted = false;
  };

  // Throws Error naming the file when it cannot be read.
  explicit ItemReader(const std::filesystem::path& path);
  // Over the bytes of a file already in memory.
  static ItemReader FromBytes(std::string bytes);

  bool AtEnd() const { return pos_ >= Bytes().size(); }
  // The next item, uncopied and undecoded.
  Item Next() {
    Item item;
    item.bytes = NextItem(&item.quoted);
    return item;
  }
  // The next item with its characters kept, as UTF-8. At the end, an empty
  // text.
  std::string ReadText();

 private:
  friend double CountItems(const ItemReader& reader);
  ItemReader() = default;
  // Moves past the next item; `quoted` tells whether it was in quotes. The
  // item lasts as long as the reader.
  std::string_view NextItem(bool* quoted);
  // The same for an item that needs more than one quick scan: blanks,
  // quotes, or the file's end.
  [[gnu::noinline]] std::string_view NextItemSlowly(bool* quoted);

  // Windows-1252, decoded item by item.
  std::string_view Bytes() const {
    return file_.data ? file_.bytes() : std::string_view(owned_);
  }

  platform::ReadResult file_;  // the file read whole
  std::string owned_;          // or the bytes handed to FromBytes
  std::size_t pos_ = 0;
};

// `item` as a value: an unquoted item that is a number as a whole reads in
// its NumberText form (0.30 gives 0.3, 007 gives 7); a quoted item stays as
// written. A view of the item itself when that is already its value, as for
// most grades and prices, else of `room`, which then holds the value.
std::string_view ValueOf(ItemReader::Item item, std::string& room);

// The NumberText form of a plain decimal (optional sign, digits, optional
// point and digits) of at most 15 significant digits from 1E-4 up to below
// 1E15, got from its digits alone: 0.30 gives 0.3, -007.50 gives -7.5.
// False for any other text, which then needs the full conversion.
bool ShortestDecimal(std::string_view text, std::string* out);

// The number of items of the reader's whole file, as the import counts them
// before it converts the file, wherever the reader stands.
double CountItems(const ItemReader& reader);

}  // namespace tarnwick::import

#endif  // TARNWICK_IMPORT_CSV_ITEM_READER_H_
