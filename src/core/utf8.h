#ifndef TARNWICK_CORE_UTF8_H_
#define TARNWICK_CORE_UTF8_H_

// Tarnwick holds every text as UTF-8. This is its one decoder and encoder of
// single characters; texts from files and workbooks pass through it.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarnwick {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// The character that starts at `text[i]`; moves `i` past it. Anything that
// is not the shortest encoding of a character (an overlong form, a surrogate,
// a value past U+10FFFF) gives U+FFFD and is passed over whole; a lone
// continuation byte, a lead byte without its continuation bytes or a text
// ending inside a character gives U+FFFD for one byte.
char32_t NextCodePoint(std::string_view text, std::size_t& i);

// Appends `c` in its shortest form.
void AppendCodePoint(std::string& out, char32_t c);

}  // namespace tarnwick

#endif  // TARNWICK_CORE_UTF8_H_
