#include "import/csv/upper_case.h"

#include <cstdint>

namespace tarnwick {
namespace {

constexpr unsigned char kLatin1Lead = 0xC3;    // U+00C0 .. U+00FF
constexpr unsigned char kLatinExtLead = 0xC5;  // U+0140 .. U+017F

// The upper-case form of the character starting at `text[i]`, as one or two
// bytes packed into an integer; `length` is set to the bytes it spans. Only
// the lower-case letters of Windows-1252 change: ASCII a-z, U+00E0..U+00FE
// (not U+00F7), U+00FF, š, œ and ž.
std::uint32_t UpperAt(std::string_view text, std::size_t i,
                      std::size_t* length) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  *length = 1;
  if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 0x20 : c;
  if ((c != kLatin1Lead && c != kLatinExtLead) || i + 1 >= text.size()) {
    return c;
  }
  unsigned char t = static_cast<unsigned char>(text[i + 1]);
  *length = 2;
  if (c == kLatin1Lead) {
    if (t >= 0xA0 && t <= 0xBE && t != 0xB7) t -= 0x20;
    if (t == 0xBF) return (kLatinExtLead << 8) | 0xB8;  // ÿ -> Ÿ
    return (c << 8) | t;
  }
  if (t == 0xA1 || t == 0x93 || t == 0xBE) --t;  // š, œ, ž
  return (c << 8) | t;
}

}  // namespace

std::string UpperCase(std::string_view text) {
  std::string upper;
  upper.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 0;
    std::uint32_t u = UpperAt(text, i, &length);
    if (length == 2) upper.push_back(static_cast<char>(u >> 8));
    upper.push_back(static_cast<char>(u & 0xFF));
    i += length;
  }
  return upper;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    if (a[i] == b[i] && static_cast<unsigned char>(a[i]) < 0x80) {
      ++i;
      continue;
    }
    std::size_t la = 0;
    std::size_t lb = 0;
    if (UpperAt(a, i, &la) != UpperAt(b, i, &lb) || la != lb) return false;
    i += la;
  }
  return true;
}

}  // namespace tarnwick
