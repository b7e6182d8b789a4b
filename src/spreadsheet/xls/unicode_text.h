#ifndef TARNWICK_SPREADSHEET_XLS_UNICODE_TEXT_H_
#define TARNWICK_SPREADSHEET_XLS_UNICODE_TEXT_H_

// Workbooks hold texts as UTF-16 (or its compressed form, one byte per
// character for U+0000..U+00FF); Tarnwick holds them as UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/windows1252.h"

namespace tarnwick::spreadsheet::xls {

// Appends one UTF-16 code unit sequence's worth of characters as UTF-8. A
// surrogate without its partner becomes U+FFFD.
void AppendUtf8(std::string& out, std::u16string_view utf16);

// Appends characters U+0000..U+00FF (one byte each) as UTF-8.
void AppendLatin1AsUtf8(std::string& out, std::string_view latin1);

// UTF-8 to UTF-16; bytes that are not UTF-8 become U+FFFD each.
std::u16string ToUtf16(std::string_view utf8);

// Number of UTF-16 code units `utf8` takes: the length a spreadsheet counts.
std::size_t Utf16Length(std::string_view utf8);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_UNICODE_TEXT_H_
