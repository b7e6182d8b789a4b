#include "import/run_import.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/error.h"
#include "import/error_of.h"
#include "import/recovery_save.h"
#include "spreadsheet/application.h"
#include "support/scripted_host.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

// One file: the panel during the import; two: an import that fails, after
// which the panel is reset all the same.
TEST(RunImportTest, ThePanelIsShownDuringTheImportAndResetAfterEvenOnFailure) {
  for (bool fail : {false, true}) {
    test::ScriptedHost host;
    EXPECT_EQ(test::ErrorOf([&] {
                tarnwick::import::RunImport(fail ? 2 : 1, host, [&] {
                  EXPECT_TRUE(host.progress_visible && host.busy);
                  EXPECT_EQ(host.progress_caption + " " + host.progress_percent,
                            "Please wait... 0%");
                  host.SetProgressValue(7);
                  host.SetProgressCaption("Converting(mqdat)");
                  if (fail) throw Error("x");
                });
              }),
              fail ? "x" : "no error");
    EXPECT_FALSE(host.progress_visible || host.busy);
    EXPECT_EQ(host.progress_value, 0);
    EXPECT_EQ(host.progress_caption, "Please wait...");
  }
}

// Where a failed save keeps the workbook when the application folder does
// not take it (ConvertFilesTest shows it kept there): the system's temporary
// folder, else nowhere, and the message says which.
TEST(RecoverySaveTest, AFailedSaveFallsBackToTheTemporaryFolderThenToNowhere) {
  test::TempDir dir;
  test::WriteBytes(dir / "file", "");
  const std::filesystem::path nowhere = dir / "file" / "x";  // under a file
  const std::string head = "Price.xls could not be saved.\r\nThe workbook ";
  // TMPDIR and the message, the kept file's time stamp cut off.
  const std::pair<std::filesystem::path, std::string> cases[] = {
      {dir.path(), head + "was kept as " + (dir / "Price-recovered-").string()},
      {nowhere, head + "could not be kept anywhere."}};
  const std::string old_tmpdir =
      std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
  for (const auto& [temp, expected] : cases) {
    setenv("TMPDIR", temp.c_str(), 1);
    spreadsheet::Application engine;
    spreadsheet::Workbook& book = engine.Workbooks().Add();
    book.Sheets().Item(1).SetCells(1, 1, "kept");
    test::ScriptedHost host;
    EXPECT_FALSE(import::SaveImportedWorkbook(book, nowhere / "Price.xls",
                                              nowhere, host));
    std::string told;
    for (const auto& m : host.messages) {
      told += m.text;
      EXPECT_EQ(m.icon, MessageIcon::kCritical);
    }
    if (std::size_t stamp = told.find("-recovered-"); stamp != told.npos) {
      std::filesystem::path keep = told.substr(told.find(dir.path().string()));
      EXPECT_EQ(engine.Workbooks().Add(keep).Sheets().Item(1).Cells(1, 1),
                spreadsheet::CellValue::Text("kept"));
      told.resize(stamp + 11);
    }
    EXPECT_EQ(told, expected);
  }
  old_tmpdir.empty() ? unsetenv("TMPDIR")
                     : setenv("TMPDIR", old_tmpdir.c_str(), 1);
}

}  // namespace
}  // namespace tarnwick
