#ifndef TARNWICK_CORE_WINDOWS1252_H_
#define TARNWICK_CORE_WINDOWS1252_H_

// Every text file Tarnwick reads or writes (Octonus tables, CSV price lists,
// dictionaries, the sample colour file) is single-byte Windows-1252, the code
// page of the systems that exchange these files. Inside the program text is
// UTF-8.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace tarnwick {

// True when every byte is below 0x80: such text is the same in UTF-8 and in
// Windows-1252, and needs no conversion either way.
inline bool IsAscii(std::string_view text) {
  // Every line of every table is asked: eight bytes are looked at at once.
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t eight;
    std::memcpy(&eight, text.data() + i, 8);
    if (eight & 0x8080808080808080ULL) return false;
  }
  for (; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
  }
  return true;
}

// Every byte maps to one character; the five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081 ... U+009D, so any
// file survives a read and a write unchanged.
std::string DecodeWindows1252(std::string_view bytes);

// A character outside the code page, or a byte that is no valid UTF-8, is
// written as '?'.
std::string EncodeWindows1252(std::string_view utf8);

}  // namespace tarnwick

#endif  // TARNWICK_CORE_WINDOWS1252_H_
