#ifndef TARNWICK_SPREADSHEET_SHEET_NAMES_H_
#define TARNWICK_SPREADSHEET_SHEET_NAMES_H_

#include <functional>
#include <string>
#include <string_view>

namespace tarnwick::spreadsheet {

// Throws Error naming the sheet unless `name` has 1 to 31 characters and
// none of : \ / ? * [ ].
void CheckSheetName(std::string_view name);

// Sheet names compare without regard to letter case.
bool SameSheetName(std::string_view a, std::string_view b);

// The name spreadsheets give a copy of sheet `name`: "Name (2)", or the next
// number free; a copy of "Name (2)" is "Name (3)". The base is shortened
// when the whole would pass 31 characters.
std::string CopyName(std::string_view name,
                     const std::function<bool(std::string_view)>& taken);

}  // namespace tarnwick::spreadsheet

#endif  // TARNWICK_SPREADSHEET_SHEET_NAMES_H_
