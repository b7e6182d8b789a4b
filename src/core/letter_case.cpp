#include "core/letter_case.h"

#include "core/utf8.h"

namespace tarnwick {
namespace {

char AsciiCapital(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}

// Every pair below has both its letters in two bytes of UTF-8, which keeps
// the length of a text.
char32_t Capital(char32_t c) {
  if (c < 0x80)
    return static_cast<char32_t>(AsciiCapital(static_cast<char>(c)));
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 0x20;  // à .. þ
  switch (c) {
    case 0xFF:
      return 0x178;  // ÿ
    case 0x153:      // œ
    case 0x161:      // š
    case 0x17E:      // ž
      return c - 1;
  }
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 0x20;  // Greek
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;                // Cyrillic
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;                // ѐ .. џ
  return c;
}

bool IsAsciiByte(char c) { return static_cast<unsigned char>(c) < 0x80; }

}  // namespace

std::string UpperCase(std::string_view utf8) {
  std::string upper;
  upper.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size();) {
    if (IsAsciiByte(utf8[i])) {
      upper.push_back(AsciiCapital(utf8[i++]));
      continue;
    }
    std::size_t start = i;
    char32_t c = NextCodePoint(utf8, i);
    char32_t capital = Capital(c);
    if (capital == c) {
      upper.append(utf8, start,
                   i - start);  // also keeps bytes that are no UTF-8
    } else {
      AppendCodePoint(upper, capital);
    }
  }
  return upper;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  // Names are mostly ASCII; a workbook of two hundred sheets asks this of
  // every pair as sheets are added.
  std::size_t i = 0;
  while (i < a.size() && IsAsciiByte(a[i]) && IsAsciiByte(b[i])) {
    if (AsciiCapital(a[i]) != AsciiCapital(b[i])) return false;
    ++i;
  }
  return i == a.size() || UpperCase(a.substr(i)) == UpperCase(b.substr(i));
}

}  // namespace tarnwick
