#ifndef TARNWICK_TESTS_OCTONUS_PRICE_WORKBOOKS_H_
#define TARNWICK_TESTS_OCTONUS_PRICE_WORKBOOKS_H_

#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick::testing {

// Rows of cells as a person types them: "" stays empty, a text that is a
// number becomes that number, a leading apostrophe keeps the rest as text.
using Rows = std::vector<std::vector<std::string>>;

struct SheetRows {
  std::string name;
  Rows rows;
};

// Writes an .xls workbook with these sheets, in order.
void WriteWorkbook(const std::filesystem::path& path,
                   const std::vector<SheetRows>& sheets);

// The joined lines of an Octonus table: CR LF after every line.
std::string TableBytes(const std::vector<std::string>& lines);

// A one-table price sheet: 3 clarities, 2 colours, ending with End Price.
Rows ExampleSheet();
// The seven lines ExampleSheet gives with W = 12, no discount, no rounding.
std::vector<std::string> ExampleLines();

// A discount sheet that lines up with ExampleSheet: `factor` in every price
// cell (rows 6 and 7, columns B to D).
Rows ExampleDiscounts(const std::string& factor);

}  // namespace tarnwick::testing

#endif  // TARNWICK_TESTS_OCTONUS_PRICE_WORKBOOKS_H_
