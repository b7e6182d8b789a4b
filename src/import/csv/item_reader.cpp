#include "import/csv/item_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include "core/error.h"
#include "core/number_rules.h"
#include "core/platform.h"
#include "core/windows1252.h"

namespace tarnwick::import {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
constexpr std::array<bool, 256> kSeparators = [] {
  std::array<bool, 256> table{};
  table[','] = table['\r'] = table['\n'] = true;
  return table;
}();
bool IsSeparator(char c) { return kSeparators[static_cast<unsigned char>(c)]; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The high bit of each byte of `word` that equals `c`, eight bytes at once.
std::uint64_t BytesEqual(std::uint64_t word, char c) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
  std::uint64_t x =
      word ^ (0x0101010101010101ULL * static_cast<unsigned char>(c));
  return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// How many bytes have their high bit set in `mask` (no other bits are).
std::uint64_t CountMarked(std::uint64_t mask) {
  return ((mask >> 7) * 0x0101010101010101ULL) >> 56;
}

std::uint64_t Load8(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// The high bit of each byte of `word` that separates items.
std::uint64_t Separators(std::uint64_t word) {
  return BytesEqual(word, ',') | BytesEqual(word, '\r') |
         BytesEqual(word, '\n');
}

// Copies into the room `out` already has: the general assign weighs a copy
// against overlap and reallocation, which costs more than a short item.
void CopyInto(std::string& out, std::string_view text) {
  out.clear();
  out.append(text);
}

std::string Decode(std::string_view bytes) {
  return IsAscii(bytes) ? std::string(bytes) : DecodeWindows1252(bytes);
}

// True when `text` is already the shortest form of a plain decimal: an
// optional minus, no leading zero but the one before a point, no point
// without digits after it, no trailing zero after the point, at most 15
// significant digits, and not below 1E-4. Most prices are written so, and
// then need no rewriting.
bool IsShortestDecimal(std::string_view text) {
  std::size_t i = !text.empty() && text[0] == '-' ? 1 : 0;
  std::size_t n = text.size();
  if (i == n) return false;
  if (text[i] == '0') {
    if (i + 1 == n) return i == 0;  // "0", but not "-0"
    if (text[i + 1] != '.') return false;
    std::size_t j = i + 2, zeros = 0;
    while (j < n && text[j] == '0') ++j, ++zeros;
    if (zeros >= 4 || j == n) return false;  // 1E-4 and below, or all zero
    std::size_t digits = 0;
    for (; j < n; ++j, ++digits) {
      if (!IsDigit(text[j])) return false;
    }
    return digits <= 15 && text[n - 1] != '0';
  }
  if (text[i] == '.') return false;  // ".5" is written "0.5"
  std::size_t digits = 0;
  for (; i < n && text[i] != '.'; ++i, ++digits) {
    if (!IsDigit(text[i])) return false;
  }
  if (i < n) {
    if (i + 1 == n || text[n - 1] == '0') return false;
    for (++i; i < n; ++i, ++digits) {
      if (!IsDigit(text[i])) return false;
    }
  }
  return digits <= 15;
}

}  // namespace

bool ShortestDecimal(std::string_view text, std::string* out) {
  if (IsShortestDecimal(text)) {
    CopyInto(*out, text);
    return true;
  }
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
  CopyInto(*out, std::string_view(buf, static_cast<std::size_t>(p - buf)));
  return true;
}

ItemReader::ItemReader(const std::filesystem::path& path) {
  platform::ReadResult read = platform::ReadWholeFile(path);
  if (read.outcome != platform::ReadOutcome::kRead) {
    throw Error(path.string() + ": cannot be read (" + read.reason + ")");
  }
  file_ = std::move(read);
}

ItemReader ItemReader::FromBytes(std::string bytes) {
  ItemReader reader;
  reader.owned_ = std::move(bytes);
  return reader;
}

std::string_view ItemReader::NextItem(bool* quoted) {
  // Most items stand unquoted, with no blank around them and their
  // separator well inside the window: cut those straight away.
  const std::string_view bytes = Bytes();
  const char* const begin = bytes.data();
  const char* const end = begin + bytes.size();
  const char* p = begin + pos_;
  if (p < end && !IsBlank(*p) && *p != '"') {
    // An item of fewer than eight bytes, as nearly all are, ends where the
    // first separator among the next eight bytes stands.
    std::uint64_t marks = end - p > 8 ? Separators(Load8(p)) : 0;
    if (std::endian::native == std::endian::little && marks != 0) {
      const char* stop = p + std::countr_zero(marks) / 8;
      if (stop == p || !IsBlank(stop[-1])) {
        *quoted = false;
        std::string_view item(p, stop - p);
        if (*stop++ == '\r' && *stop == '\n') ++stop;
        pos_ = static_cast<std::size_t>(stop - begin);
        return item;
      }
    }
    const char* start = p;
    while (p < end && !IsSeparator(*p)) ++p;
    if (end - p > 1 && (p == start || !IsBlank(p[-1]))) {
      *quoted = false;
      std::string_view item(start, p - start);
      if (*p++ == '\r' && *p == '\n') ++p;
      pos_ = static_cast<std::size_t>(p - begin);
      return item;
    }
  }
  return NextItemSlowly(quoted);
}

// Cuts the next item wherever it stands.
std::string_view ItemReader::NextItemSlowly(bool* quoted) {
  // Pointers kept in registers: this loop runs once for every byte of the
  // price lists, twice (counting, then converting).
  const std::string_view bytes = Bytes();
  const char* const begin = bytes.data();
  const char* p = begin + pos_;
  const char* const end = begin + bytes.size();
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
  pos_ = static_cast<std::size_t>(p - begin);
  return item;
}

std::string ItemReader::ReadText() {
  bool quoted = false;
  return Decode(NextItem(&quoted));
}

std::string_view ValueOf(ItemReader::Item item, std::string& room) {
  std::string_view bytes = item.bytes;
  if (!item.quoted && !bytes.empty()) {
    // Grades and names are the most items of a price list and never start
    // like a number; the reader has dropped the blanks before an item.
    char first = bytes.front();
    if (IsDigit(first) || first == '+' || first == '-' || first == '.') {
      if (IsShortestDecimal(bytes)) return bytes;
      if (ShortestDecimal(bytes, &room)) return room;
      if (std::optional<double> number = ParseWholeNumber(bytes)) {
        room = NumberText(*number);
        return room;
      }
    }
  }
  if (IsAscii(bytes)) return bytes;
  room = DecodeWindows1252(bytes);
  return room;
}

namespace {

// Where the count stands between two bytes of a price list.
enum class At { kItemStart, kLead, kQuoted, kBody, kAfterCr };

// The items that start in `bytes`, by the state machine below, and the
// state after them.
double CountByState(std::string_view bytes, At& at) {
  double count = 0;
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  for (; p < end; ++p) {
    char c = *p;
    switch (at) {
      case At::kAfterCr:
        at = At::kItemStart;
        if (c == '\n') continue;
        [[fallthrough]];
      case At::kItemStart:
        ++count;
        [[fallthrough]];
      case At::kLead:
        if (IsBlank(c)) {
          at = At::kLead;
        } else if (c == '"') {
          at = At::kQuoted;
        } else if (IsSeparator(c)) {
          at = c == '\r' ? At::kAfterCr : At::kItemStart;
        } else {
          at = At::kBody;
        }
        continue;
      case At::kQuoted:
        if (c == '"') at = At::kBody;
        continue;
      case At::kBody:
        if (IsSeparator(c)) at = c == '\r' ? At::kAfterCr : At::kItemStart;
        continue;
    }
  }
  return count;
}

// The same for bytes without a quote, where only separators matter: every
// separator but the last byte starts an item at the byte after it, except a
// CR whose LF follows, which leaves that to the LF. Counted eight bytes at a
// time, many times faster than the state machine.
double CountWithoutQuotes(std::string_view bytes, At& at) {
  const std::size_t n = bytes.size();
  if (n == 0) return 0;
  const char* b = bytes.data();
  std::uint64_t starts = 0;
  std::size_t j = 0;
  for (; j + 9 <= n; j += 8) {
    std::uint64_t word = Load8(b + j);
    std::uint64_t cr = BytesEqual(word, '\r');
    starts += CountMarked(BytesEqual(word, ',') | BytesEqual(word, '\n') | cr);
    starts -= CountMarked(cr & BytesEqual(Load8(b + j + 1), '\n'));
  }
  for (; j + 1 < n; ++j) {
    char c = b[j];
    starts += (c == ',') | (c == '\n') | ((c == '\r') & (b[j + 1] != '\n'));
  }
  if (at == At::kItemStart || (at == At::kAfterCr && b[0] != '\n')) ++starts;
  // The state after the last byte: a separator's, or within an item that
  // holds only blanks so far (a quote would open it) or more.
  char last = b[n - 1];
  if (IsSeparator(last)) {
    at = last == '\r' ? At::kAfterCr : At::kItemStart;
  } else {
    std::size_t k = n;
    while (k > 0 && IsBlank(b[k - 1])) --k;
    bool only_blanks = k > 0 ? IsSeparator(b[k - 1]) : at != At::kBody;
    at = only_blanks ? At::kLead : At::kBody;
  }
  return static_cast<double>(starts);
}

}  // namespace

// Counting needs no item's text, only where items start: a walk over the
// bytes, read through the same window, gives the count NextItem would reach
// item by item, in a fraction of the time.
double CountItems(const ItemReader& reader) {
  At at = At::kItemStart;
  std::string_view bytes = reader.Bytes();
  // Inside a quoted text, separators are text: only the state machine
  // knows, as it does wherever a quote stands.
  bool plain = std::memchr(bytes.data(), '"', bytes.size()) == nullptr;
  return plain ? CountWithoutQuotes(bytes, at) : CountByState(bytes, at);
}

}  // namespace tarnwick::import
