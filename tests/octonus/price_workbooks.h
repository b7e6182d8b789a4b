#ifndef TARNWICK_TESTS_OCTONUS_PRICE_WORKBOOKS_H_
#define TARNWICK_TESTS_OCTONUS_PRICE_WORKBOOKS_H_

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

// Rows of cells as a person types them: "" stays empty, a text that is a
// number becomes that number, a leading apostrophe keeps the rest as text.
using Rows = std::vector<std::vector<std::string>>;

struct SheetRows {
  std::string name;
  Rows rows;
};

// Rows written compactly: a row a line, cells parted by '|'.
Rows RowsOf(std::string_view text);

// Writes an .xls workbook with these sheets, in order.
void WriteWorkbook(const std::filesystem::path& path,
                   const std::vector<SheetRows>& sheets);

// The joined lines of an Octonus table: CR LF after every line.
std::string TableBytes(const std::vector<std::string>& lines);

// A one-table price sheet: 3 clarities, 2 colours, ending with End Price.
Rows ExampleSheet();
// The seven lines ExampleSheet gives with W = 12, no discount, no rounding.
std::vector<std::string> ExampleLines();
// Those lines as bytes.
std::string ExampleBytes();

// A discount sheet that lines up with ExampleSheet: `factor` in every price
// cell (rows 6 and 7, columns B to D).
Rows ExampleDiscounts(const std::string& factor);

// Price.xls in `folder` with ExampleSheet under each name.
void WriteExamplePrice(const std::filesystem::path& folder,
                       const std::vector<std::string>& names = {"Round", "Pear",
                                                                "Oval 3"});

// The hidden files of `folder`, its lock file aside: a table being written,
// or one a run left.
std::vector<std::string> HiddenFiles(const std::filesystem::path& folder);

// Runs tarnwick-cli over the application folder `folder`, its settings kept
// in `folder`/config; returns the exit status.
int RunCli(const std::filesystem::path& folder, const std::string& arguments,
           std::string* out = nullptr, std::string* err = nullptr);
// RunCli on a terminal of its own, so that questions are asked there: at the
// first one Ctrl-C is pressed, then Yes answered. `screen` gets what the
// terminal showed, progress bars left out, lines ending in "\n".
int RunCliStoppedAtQuestion(const std::filesystem::path& folder,
                            const std::string& arguments, std::string* screen);
// The settings file RunCli's tarnwick-cli reads and writes.
std::filesystem::path SettingsFile(const std::filesystem::path& folder);
void StoreSettings(const std::filesystem::path& folder, const std::string& ini);

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_OCTONUS_PRICE_WORKBOOKS_H_
