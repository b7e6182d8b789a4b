#include "import/run_import.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

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
    auto import = [&] {
      EXPECT_TRUE(host.progress_visible && host.busy);
      EXPECT_EQ(host.progress_caption + " " + host.progress_percent,
                "Please wait... 0%");
      host.SetProgressValue(7);
      host.SetProgressCaption("Converting(mqdat)");
      if (fail) throw std::runtime_error("x");
    };
    if (fail) {
      EXPECT_THROW(import::RunImport(2, host, import), std::runtime_error);
    } else {
      import::RunImport(1, host, import);
      EXPECT_EQ(host.progress_value, 0);
      EXPECT_EQ(host.progress_caption, "Please wait...");
    }
    EXPECT_FALSE(host.progress_visible || host.busy);
  }
}

// Where a failed save keeps the workbook: the application folder, else the
// system's temporary folder, else nowhere, and the message says which.
TEST(RecoverySaveTest, AFailedSaveKeepsTheWorkbookInTheFirstFolderThatTakesIt) {
  test::TempDir dir;
  test::WriteBytes(dir / "file", "");
  std::filesystem::path nowhere = dir / "file" / "x";  // under a plain file
  std::filesystem::create_directories(dir / "app");
  std::filesystem::create_directories(dir / "tmp");
  const struct {
    std::filesystem::path target, app, temp;
    const char* kept;  // folder named in the message; "" saved, null nowhere
  } cases[] = {
      {dir / "app" / "Price.xls", dir / "app", dir / "tmp", ""},
      {nowhere / "Price.xls", dir / "app", dir / "tmp", "app"},
      {nowhere / "Price.xls", nowhere, dir / "tmp", "tmp"},
      {nowhere / "Price.xls", nowhere, nowhere, nullptr},
  };
  const char* old_tmpdir = std::getenv("TMPDIR");
  std::string saved = old_tmpdir ? old_tmpdir : "";
  for (const auto& c : cases) {
    setenv("TMPDIR", c.temp.c_str(), 1);
    spreadsheet::Application app;
    spreadsheet::Workbook& book = app.Workbooks().Add();
    book.Sheets().Item(1).SetCells(1, 1, "kept");
    test::ScriptedHost host;
    bool saved_target =
        import::SaveImportedWorkbook(book, c.target, c.app, host);
    EXPECT_EQ(saved_target, c.kept && !*c.kept);
    std::string head = "Price.xls could not be saved.\r\n";
    if (saved_target) {
      EXPECT_TRUE(host.messages.empty());
    } else if (c.kept == nullptr) {
      EXPECT_EQ(host.MessageTexts(),
                std::vector{head + "The workbook could not be kept anywhere."});
    } else {
      ASSERT_EQ(host.messages.size(), 1u) << c.app;
      const std::string& text = host.messages[0].text;
      head += "The workbook was kept as " + (dir / c.kept).string() +
              "/Price-recovered-";
      ASSERT_EQ(text.substr(0, head.size()), head);
      std::filesystem::path keep = text.substr(text.find(dir.path().string()));
      EXPECT_EQ(app.Workbooks().Add(keep).Sheets().Item(1).Cells(1, 1).text(),
                "kept");
    }
    for (const auto& m : host.messages) {
      EXPECT_EQ(m.icon, MessageIcon::kCritical);
    }
  }
  if (old_tmpdir) {
    setenv("TMPDIR", saved.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
}

}  // namespace
}  // namespace tarnwick
