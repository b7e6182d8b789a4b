#include "import/csv/item_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include "core/error.h"
#include "core/mapped_file.h"
#include "core/windows1252.h"
#include "octonus/number_rules.h"

namespace tarnwick {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsSeparator(char c) { return c == ',' || IsLineEnd(c); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

std::string Decode(std::string_view bytes) {
  return IsAscii(bytes) ? std::string(bytes) : DecodeWindows1252(bytes);
}

std::shared_ptr<const MappedFile> MapFile(const std::filesystem::path& path) {
  auto file = std::make_shared<const MappedFile>(path);
  if (file->error() != 0) {
    throw Error(
        path.string() + ": " +
        (file->error() == ENOENT ? "cannot be opened" : "cannot be read") +
        " (" + std::strerror(file->error()) + ")");
  }
  if (!file->is_regular()) {
    throw Error(path.string() + ": cannot be read (not a file)");
  }
  return file;
}

}  // namespace

bool ShortestDecimal(std::string_view text, std::string* out) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  std::string_view fraction = point == std::string_view::npos
                                  ? std::string_view()
                                  : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return false;
  for (char c : whole) {
    if (!IsDigit(c)) return false;
  }
  for (char c : fraction) {
    if (!IsDigit(c)) return false;
  }
  while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.remove_suffix(1);
  if (whole.empty() && fraction.empty()) {
    out->assign(1, '0');
    return true;
  }
  std::size_t significant = whole.size() + fraction.size();
  if (whole.empty()) {
    std::size_t zeros = fraction.find_first_not_of('0');
    if (zeros >= 4) return false;  // below 1E-4: shown with an exponent
    significant -= zeros;
  }
  if (significant > 15) return false;  // also keeps it below 1E15
  out->clear();
  if (negative) out->push_back('-');
  if (whole.empty()) {
    out->push_back('0');
  } else {
    out->append(whole);
  }
  if (!fraction.empty()) {
    out->push_back('.');
    out->append(fraction);
  }
  return true;
}

ItemReader::ItemReader(const std::filesystem::path& path) {
  auto file = MapFile(path);
  bytes_ = file->bytes();
  keep_ = std::move(file);
}

ItemReader ItemReader::FromBytes(std::string bytes) {
  ItemReader reader;
  auto owned = std::make_shared<const std::string>(std::move(bytes));
  reader.bytes_ = *owned;
  reader.keep_ = std::move(owned);
  return reader;
}

std::string_view ItemReader::NextItem(bool* quoted) {
  const std::size_t size = bytes_.size();
  while (pos_ < size && IsBlank(bytes_[pos_])) ++pos_;
  std::string_view item;
  *quoted = pos_ < size && bytes_[pos_] == '"';
  if (*quoted) {
    std::size_t start = pos_ + 1;
    std::size_t close = bytes_.find('"', start);
    if (close == std::string_view::npos) close = size;
    item = bytes_.substr(start, close - start);
    pos_ = close < size ? close + 1 : size;
    while (pos_ < size && !IsSeparator(bytes_[pos_])) ++pos_;
  } else {
    std::size_t start = pos_;
    while (pos_ < size && !IsSeparator(bytes_[pos_])) ++pos_;
    std::size_t end = pos_;
    while (end > start && IsBlank(bytes_[end - 1])) --end;
    item = bytes_.substr(start, end - start);
  }
  SkipSeparator();
  return item;
}

// One separator: a comma, or one line end of whichever kind.
void ItemReader::SkipSeparator() {
  if (pos_ >= bytes_.size()) return;
  char c = bytes_[pos_++];
  if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
}

std::string ItemReader::ReadText() {
  bool quoted = false;
  return Decode(NextItem(&quoted));
}

std::string ItemReader::ReadValue() {
  bool quoted = false;
  std::string_view item = NextItem(&quoted);
  if (quoted || item.empty()) return Decode(item);
  std::string shortest;
  if (ShortestDecimal(item, &shortest)) return shortest;
  // Grades and names are the most items of a price list and never start
  // like a number; the reader has dropped the blanks before an item.
  char first = item.front();
  if (IsDigit(first) || first == '+' || first == '-' || first == '.') {
    std::optional<double> number = ParseWholeNumber(item);
    if (number) return NumberText(*number);
  }
  return Decode(item);
}

void ItemReader::SkipItem() {
  bool quoted = false;
  NextItem(&quoted);
}

double CountItems(const std::filesystem::path& path) {
  ItemReader reader(path);
  double count = 0;
  while (!reader.AtEnd()) {
    reader.SkipItem();
    ++count;
  }
  return count;
}

}  // namespace tarnwick
