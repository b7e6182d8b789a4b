#include "spreadsheet/sheet_names.h"

#include "core/error.h"
#include "core/letter_case.h"
#include "spreadsheet/xls/unicode_text.h"

namespace tarnwick::spreadsheet {
namespace {

constexpr std::size_t kMaxNameLength = 31;

// Cuts `text` to at most `units` UTF-16 code units without splitting a
// character.
std::string CutToLength(std::string_view text, std::size_t units) {
  std::string out;
  std::size_t used = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t len = 1;
    auto lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xF0)
      len = 4;
    else if (lead >= 0xE0)
      len = 3;
    else if (lead >= 0xC0)
      len = 2;
    std::size_t cost = len == 4 ? 2 : 1;
    if (used + cost > units) break;
    out.append(text.substr(i, len));
    used += cost;
    i += len;
  }
  return out;
}

// "Name (7)" gives base "Name" and 7; any other name itself and 1.
std::pair<std::string_view, int> SplitCopyNumber(std::string_view name) {
  if (name.size() < 4 || name.back() != ')') return {name, 1};
  std::size_t open = name.rfind(" (");
  if (open == std::string_view::npos || open + 3 > name.size() - 1) {
    return {name, 1};
  }
  std::string_view digits = name.substr(open + 2, name.size() - open - 3);
  if (digits.empty() || digits.size() > 5 || digits.front() == '0') {
    return {name, 1};
  }
  int n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return {name, 1};
    n = n * 10 + (c - '0');
  }
  return {name.substr(0, open), n};
}

}  // namespace

void CheckSheetName(std::string_view name) {
  std::size_t length = xls::Utf16Length(name);
  if (length == 0 || length > kMaxNameLength) {
    throw Error("cannot name a sheet \"" + std::string(name) +
                "\": a sheet name has 1 to 31 characters");
  }
  if (name.find_first_of(":\\/?*[]") != std::string_view::npos) {
    throw Error("cannot name a sheet \"" + std::string(name) +
                "\": a sheet name cannot hold : \\ / ? * [ or ]");
  }
}

bool SameSheetName(std::string_view a, std::string_view b) {
  return SameIgnoringCase(a, b);
}

std::string CopyName(std::string_view name,
                     const std::function<bool(std::string_view)>& taken) {
  auto [base, number] = SplitCopyNumber(name);
  for (int n = number + 1;; ++n) {
    std::string suffix = " (" + std::to_string(n) + ")";
    std::string candidate =
        CutToLength(base, kMaxNameLength - suffix.size()) + suffix;
    if (!taken(candidate)) return candidate;
  }
}

}  // namespace tarnwick::spreadsheet
