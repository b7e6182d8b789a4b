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

TEST(RunImportTest, AnEmptyFileListStopsWithAMessageAndTouchesNothing) {
  test::ScriptedHost host;
  tarnwick::import::RunImport(0, host, [] { ADD_FAILURE() << "imported"; });
  EXPECT_EQ(host.MessageTexts(),
            std::vector<std::string>{"There is no file to read..."});
  EXPECT_EQ(host.messages[0].icon, MessageIcon::kInformation);
  EXPECT_TRUE(host.captions_seen.empty());
}

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

// Where a failed save keeps the workbook: the application folder, else the
// system's temporary folder, else nowhere, and the message says which.
TEST(RecoverySaveTest, AFailedSaveKeepsTheWorkbookInTheFirstFolderThatTakesIt) {
  test::TempDir dir;
  test::WriteBytes(dir / "file", "");
  const std::filesystem::path app = dir / "app", tmp = dir / "tmp",
                              nowhere = dir / "file" / "x";  // under a file
  std::filesystem::create_directories(app);
  std::filesystem::create_directories(tmp);
  const std::string head = "Price.xls could not be saved.\r\nThe workbook ";
  const struct {
    std::filesystem::path target, app, temp;
    std::string told;  // "" when saved; the kept file's time stamp cut off
  } cases[] = {
      {app / "Price.xls", app, tmp, ""},
      {nowhere / "Price.xls", app, tmp,
       head + "was kept as " + (app / "Price-recovered-").string()},
      {nowhere / "Price.xls", nowhere, tmp,
       head + "was kept as " + (tmp / "Price-recovered-").string()},
      {nowhere / "Price.xls", nowhere, nowhere,
       head + "could not be kept anywhere."},
  };
  const std::string old_tmpdir =
      std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "";
  for (const auto& c : cases) {
    setenv("TMPDIR", c.temp.c_str(), 1);
    spreadsheet::Application engine;
    spreadsheet::Workbook& book = engine.Workbooks().Add();
    book.Sheets().Item(1).SetCells(1, 1, "kept");
    test::ScriptedHost host;
    EXPECT_EQ(import::SaveImportedWorkbook(book, c.target, c.app, host),
              c.told.empty());
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
    EXPECT_EQ(told, c.told);
  }
  old_tmpdir.empty() ? unsetenv("TMPDIR")
                     : setenv("TMPDIR", old_tmpdir.c_str(), 1);
}

}  // namespace
}  // namespace tarnwick
