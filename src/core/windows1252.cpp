#include "core/windows1252.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <unordered_map>

#include "core/error.h"
#include "core/utf8.h"

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

}  // namespace

std::string DecodeWindows1252(std::string_view bytes) {
  const CodePage& table = Table();
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out.push_back(c);
    } else {
      AppendCodePoint(out, table.to_unicode[b]);
    }
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
