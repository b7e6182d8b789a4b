#include "import/run_import.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "support/scripted_host.h"

namespace tarnwick {
namespace {

using test::ScriptedHost;

TEST(RunImportTest, AnEmptyFileListStopsWithAMessageAndTouchesNothing) {
  ScriptedHost host;
  bool ran = false;
  import::RunImport(0, host, [&] { ran = true;
});
EXPECT_FALSE(ran);
EXPECT_EQ(host.MessageTexts(),
          std::vector<std::string>{"There is no file to read..."});
EXPECT_EQ(host.messages[0].icon, MessageIcon::kInformation);
EXPECT_TRUE(host.captions_seen.empty());
}  // namespace

TEST(RunImportTest, ThePanelIsShownDuringTheImportAndResetAfterEvenOnFailure) {
  for (bool fail : {false, true}) {
    ScriptedHost host;
    auto import = [&] {
      EXPECT_TRUE(host.progress_visible);
      EXPECT_TRUE(host.busy);
      EXPECT_EQ(host.progress_caption, "Please wait...");
      EXPECT_EQ(host.progress_percent, "0%");
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
    EXPECT_FALSE(host.progress_visible);
    EXPECT_FALSE(host.busy);
  }
}

}  // namespace tarnwick
}  // namespace tarnwick
