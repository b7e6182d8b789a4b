#ifndef TARNWICK_IMPORT_CSV_UPPER_CASE_H_
#define TARNWICK_IMPORT_CSV_UPPER_CASE_H_

#include <string>
#include <string_view>

namespace tarnwick {

// Grades and table names are compared without regard to letter case, over
// the letters of the Windows-1252 code page the files are written in: A to
// Z, the accented capitals and Š, Œ, Ž, Ÿ. Other characters compare as they
// are. Texts are UTF-8; upper-casing never changes a text's length in bytes.
std::string UpperCase(std::string_view text);
bool EqualIgnoringCase(std::string_view a, std::string_view b);

}  // namespace tarnwick

#endif  // TARNWICK_IMPORT_CSV_UPPER_CASE_H_
