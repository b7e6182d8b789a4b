#include "import/csv/item_reader.h"

#include <algorithm>
#include <array>
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
constexpr std::array<bool, 256> kSeparators = [] {
  std::array<bool, 256> table{};
  table[','] = table['\r'] = table['\n'] = true;
  return table;
}();
bool IsSeparator(char c) { return kSeparators[static_cast<unsigned char>(c)]; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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
  // At most a sign, 15 digits, a point and three zeros after it.
  char buf[40];
  char* p = buf;
  if (negative) *p++ = '-';
  if (whole.empty()) {
    *p++ = '0';
  } else {
    p = std::copy(whole.begin(), whole.end(), p);
  }
  if (!fraction.empty()) {
    *p++ = '.';
    p = std::copy(fraction.begin(), fraction.end(), p);
  }
  out->assign(buf, p);
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
  // Pointers kept in registers: this loop runs once for every byte of the
  // price lists, twice (counting, then converting).
  const char* p = bytes_.data() + pos_;
  const char* const end = bytes_.data() + bytes_.size();
  while (p < end && IsBlank(*p)) ++p;
  std::string_view item;
  *quoted = p < end && *p == '"';
  if (*quoted) {
    const char* start = p + 1;
    const void* found = std::memchr(start, '"', end - start);
    const char* close = found ? static_cast<const char*>(found) : end;
    item = std::string_view(start, close - start);
    p = close < end ? close + 1 : end;
    while (p < end && !IsSeparator(*p)) ++p;
  } else {
    const char* start = p;
    while (p < end && !IsSeparator(*p)) ++p;
    const char* stop = p;
    while (stop > start && IsBlank(stop[-1])) --stop;
    item = std::string_view(start, stop - start);
  }
  // One separator: a comma, or one line end of whichever kind.
  if (p < end) {
    char c = *p++;
    if (c == '\r' && p < end && *p == '\n') ++p;
  }
  pos_ = static_cast<std::size_t>(p - bytes_.data());
  return item;
}

std::string ItemReader::ReadText() {
  bool quoted = false;
  return Decode(NextItem(&quoted));
}

std::string ItemReader::ReadValue() {
  bool quoted = false;
  std::string_view item = NextItem(&quoted);
  if (quoted || item.empty()) return Decode(item);
  // Grades and names are the most items of a price list and never start
  // like a number; the reader has dropped the blanks before an item.
  char first = item.front();
  if (IsDigit(first) || first == '+' || first == '-' || first == '.') {
    std::string shortest;
    if (ShortestDecimal(item, &shortest)) return shortest;
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
