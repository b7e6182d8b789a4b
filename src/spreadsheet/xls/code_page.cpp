#include "spreadsheet/xls/code_page.h"

#include <iconv.h>

#include <array>
#include <cerrno>

#include "core/windows1252.h"
#include "spreadsheet/xls/byte_order.h"
#include "spreadsheet/xls/unicode_text.h"

namespace tarnwick::spreadsheet::xls {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

// The C library's name for a code page a workbook names by number.
std::string IconvName(std::uint16_t code_page) {
  switch (code_page) {
    case 0:
    case 32769:  // Excel's own number for Windows-1252 in some versions
      return "CP1252";
    case 367:
      return "ASCII";
    case 10000:
    case 32768:
      return "MACINTOSH";
    case 10007:
      return "MAC-CYRILLIC";
    case 20866:
      return "KOI8-R";
    case 21866:
      return "KOI8-U";
    case 950:
      return "BIG5";
    default:
      return "CP" + std::to_string(code_page);
  }
}

}  // namespace

void AppendCodePageAsUtf8(std::string& out, std::string_view bytes,
                          std::uint16_t code_page) {
  // Gnumeric writes its Excel 95 files with code page 1200, a text of
  // ASCII characters as bytes and any other as UTF-16 (its length counted in
  // bytes). Bytes that are all ASCII are taken as ASCII: a text whose UTF-16
  // bytes happen to be (some CJK characters) cannot be told from one.
  bool ascii = IsAscii(bytes) && bytes.find('\0') == std::string_view::npos;
  if (code_page == 1200 && !ascii) {
    std::u16string units;
    for (std::size_t k = 0; k + 1 < bytes.size(); k += 2) {
      units.push_back(static_cast<char16_t>(GetU16(bytes.data() + k)));
    }
    AppendUtf8(out, units);
    if (bytes.size() % 2 != 0) out.append(kReplacement);
    return;
  }
  if (ascii) {
    out.append(bytes);
    return;
  }
  iconv_t cd = iconv_open("UTF-8", IconvName(code_page).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    for (char c : bytes) {
      if (static_cast<unsigned char>(c) < 0x80) {
        out.push_back(c);
      } else {
        out.append(kReplacement);
      }
    }
    return;
  }
  std::string in(bytes);
  char* in_at = in.data();
  std::size_t in_left = in.size();
  std::array<char, 1024> buffer;
  while (in_left > 0) {
    char* out_at = buffer.data();
    std::size_t out_left = buffer.size();
    std::size_t done = iconv(cd, &in_at, &in_left, &out_at, &out_left);
    out.append(buffer.data(), out_at - buffer.data());
    if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
      // A byte the code page lacks, or a lead byte with nothing after it.
      out.append(kReplacement);
      ++in_at;
      --in_left;
    }
  }
  iconv_close(cd);
}

}  // namespace tarnwick::spreadsheet::xls
