#ifndef TARNWICK_SPREADSHEET_XLS_CODE_PAGE_H_
#define TARNWICK_SPREADSHEET_XLS_CODE_PAGE_H_

// Excel 5.0/95 workbooks hold their texts as bytes in the code page their
// CODEPAGE record names; Tarnwick holds them as UTF-8.

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick::spreadsheet::xls {

// The code page of a workbook without a CODEPAGE record.
inline constexpr std::uint16_t kDefaultCodePage = 1252;

// Appends `bytes` in Windows code page `code_page` as UTF-8, through the C
// library's iconv; 1200 takes them as UTF-16. A byte the code page does not
// define, or a code page the C library cannot convert, gives U+FFFD for
// that byte.
void AppendCodePageAsUtf8(std::string& out, std::string_view bytes,
                          std::uint16_t code_page);

}  // namespace tarnwick::spreadsheet::xls

#endif  // TARNWICK_SPREADSHEET_XLS_CODE_PAGE_H_
