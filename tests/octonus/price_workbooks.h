#ifndef TARNWICK_TESTS_OCTONUS_PRICE_WORKBOOKS_H_
#define TARNWICK_TESTS_OCTONUS_PRICE_WORKBOOKS_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "octonus/conversion_session.h"
#include "support/memory_settings_store.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick::test {

using Texts = std::vector<std::string>;

// Rows of cells as a person types them: "" stays empty, a text that is a
// number becomes that number, a leading apostrophe keeps the rest as text.
using Rows = std::vector<std::vector<std::string>>;

// A sheet's name and rows.
using SheetRows = std::pair<std::string, Rows>;

// Rows written compactly: a row a line, cells parted by '|'.
Rows RowsOf(std::string_view text);

// Writes an .xls workbook with these sheets, in order.
void WriteWorkbook(const std::filesystem::path& path,
                   const std::vector<SheetRows>& sheets);

// The joined lines of an Octonus table: CR LF after every line.
std::string TableBytes(const Texts& lines);

// A one-table price sheet: 3 clarities, 2 colours, ending with End Price.
Rows ExampleSheet();
// The seven lines ExampleSheet gives with W = 12, no discount, no rounding.
Texts ExampleLines();
// Those lines as bytes.
std::string ExampleBytes();

// A discount sheet that lines up with ExampleSheet: `factor` in every price
// cell (rows 6 and 7, columns B to D).
Rows ExampleDiscounts(const std::string& factor);

// Price.xls in `folder` with ExampleSheet under each name.
void WriteExamplePrice(const std::filesystem::path& folder,
                       const Texts& names = {"Round", "Pear", "Oval 3"});

// The hidden files of `folder`, its lock file aside: a table being written,
// or one a run left.
Texts HiddenFiles(const std::filesystem::path& folder);

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

// A conversion's session, options, host and settings over an application
// folder; NextCase starts a fresh folder, host and settings, so that no case
// of a table sees another's files or answers.
class PriceFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { NextCase(); }
  void NextCase() {
    options = {dir / ("case" + std::to_string(++cases_))};
    std::filesystem::create_directory(Folder());
    host = ScriptedHost();
    settings = MemorySettingsStore();
  }
  std::filesystem::path Folder() const { return options.app_folder; }

  TempDir dir;
  MemorySettingsStore settings;
  ScriptedHost host;
  octonus::ConversionSession session;
  octonus::ConversionOptions options;
  int cases_ = 0;
};

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_OCTONUS_PRICE_WORKBOOKS_H_
