#include "core/windows1252.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <unordered_map>

#include "core/error.h"

namespace tarnwick {
namespace {

// Code point of every byte, asked of iconv once.
struct CodePage {
  std::array<char32_t, 256> to_unicode{};
  std::unordered_map<char32_t, unsigned char> from_unicode;

  CodePage() {
    iconv_t cd = iconv_open("UTF-32LE", "WINDOWS-1252");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
      throw Error("the Windows-1252 code page is not available (iconv)");
    }
    for (int b = 0; b < 256; ++b) {
      char in = static_cast<char>(b);
      unsigned char out[4] = {};
      char* in_ptr = &in;
      char* out_ptr = reinterpret_cast<char*>(out);
      std::size_t in_left = 1, out_left = sizeof out;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
      char32_t cp = static_cast<char32_t>(b);  // the undefined bytes
      if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) !=
              static_cast<std::size_t>(-1) &&
          out_left == 0) {
        cp = out[0] | (out[1] << 8) | (out[2] << 16) |
             (static_cast<char32_t>(out[3]) << 24);
      }
      to_unicode[b] = cp;
      from_unicode.emplace(cp, static_cast<unsigned char>(b));
    }
    iconv_close(cd);
  }
};

const CodePage& Table() {
  static const CodePage table;
  return table;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

// Reads one UTF-8 sequence at s[i]; advances i. Returns U+FFFD for a bad one.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
  auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char b0 = byte(i);
  int length = b0 < 0x80         ? 1
               : (b0 >> 5) == 6  ? 2
               : (b0 >> 4) == 14 ? 3
               : (b0 >> 3) == 30 ? 4
                                 : 0;
  if (length == 0 || i + length > s.size()) {
    ++i;
    return 0xFFFD;
  }
  char32_t cp = length == 1 ? b0 : b0 & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    unsigned char b = byte(i + k);
    if ((b & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  i += length;
  return cp;
}

}  // namespace

std::string DecodeWindows1252(std::string_view bytes) {
  const CodePage& table = Table();
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) {
    AppendUtf8(out, table.to_unicode[static_cast<unsigned char>(c)]);
  }
  return out;
}

std::string EncodeWindows1252(std::string_view utf8) {
  const CodePage& table = Table();
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    // The common case: runs of ASCII map to themselves.
    std::size_t run = i;
    while (run < utf8.size() && static_cast<unsigned char>(utf8[run]) < 0x80) {
      ++run;
    }
    out.append(utf8, i, run - i);
    i = run;
    if (i == utf8.size()) break;
    char32_t cp = NextCodePoint(utf8, i);
    auto it = table.from_unicode.find(cp);
    out.push_back(
        it == table.from_unicode.end() ? '?' : static_cast<char>(it->second));
  }
  return out;
}

}  // namespace tarnwick
