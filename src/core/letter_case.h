#ifndef TARNWICK_CORE_LETTER_CASE_H_
#define TARNWICK_CORE_LETTER_CASE_H_

// Names compare without regard to letter case everywhere in Tarnwick: sheet
// names, the --sheet names of the command line, grades, colours and table
// names of the price lists, file names and the keywords of a price sheet.
// The letters that have a case are those of ASCII, the Windows-1252 code
// page the price lists are written in (the accented capitals, Š, Œ, Ž, Ÿ)
// and the Greek and Cyrillic alphabets; every other character compares as it
// is.

#include <string>
#include <string_view>

namespace tarnwick {

// `utf8` with every lower-case letter made a capital. The length in bytes
// never changes, and bytes that are no UTF-8 stay as they are; the result
// orders names as a list without regard to case does.
std::string UpperCase(std::string_view utf8);

// True when `a` and `b` differ in letter case at most.
bool SameIgnoringCase(std::string_view a, std::string_view b);

}  // namespace tarnwick

#endif  // TARNWICK_CORE_LETTER_CASE_H_
