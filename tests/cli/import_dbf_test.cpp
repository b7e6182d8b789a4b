// tarnwick-cli import-dbf, run as a user runs it: on the demo tables with
// the template the build lays out.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "core/platform.h"
#include "octonus/price_workbooks.h"
#include "support/app_folder_test.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::ReadBytes;
using test::TempDir;

const std::filesystem::path kDemo =
    std::filesystem::path(TARNWICK_APP_DIR) / "Demo" / "DBF";

class ImportDbfCliTest : public test::AppFolderTest {
 protected:
  void SetUp() override { CopyFromBuiltApp("System/DBFTemplate.xls"); }
};

TEST_F(ImportDbfCliTest, AFolderWithNothingToImportEndsWithStatus1) {
  TempDir empty;
  std::string err;
  EXPECT_EQ(Cli("import-dbf '" + empty.path().string() + "'", &err), 1);
  EXPECT_EQ(err, "There is no file to read...\n");
}

// Another run holding the folder refuses both writing operations and leaves
// Price.xls as it was; a run killed while it held the folder blocks nothing.
TEST_F(ImportDbfCliTest, AFolderInUseIsRefusedAndAKilledRunFreesIt) {
  const std::string import = "import-dbf '" + kDemo.string() + "'";
  std::string err;
  ASSERT_EQ(Cli(import, &err), 0) << err;
  EXPECT_EQ(err, "");
  const std::string saved = ReadBytes(app() / "Price.xls");
  const std::filesystem::path lock_file = app() / ".tarnwick.lock";
  {
    platform::FileLock other_run(lock_file);
    ASSERT_EQ(other_run.outcome(), platform::FileLock::Outcome::kHeld);
    for (const std::string& command : {import, std::string("convert")}) {
      EXPECT_EQ(Cli(command, &err), 1);
      EXPECT_EQ(err, "Another Tarnwick run is working in the folder " +
                         app().string() +
                         ".\nNothing was done; try again when it has "
                         "finished.\n");
    }
    EXPECT_FALSE(std::filesystem::exists(app() / "Round.txt"));
  }
  EXPECT_EQ(ReadBytes(app() / "Price.xls"), saved);
  EXPECT_TRUE(test::HiddenFiles(app()).empty());

  // The shell takes the lock, then is killed with it held.
  ASSERT_NE(std::system(("sh -c 'exec 9>>\"" + lock_file.string() +
                         "\"; flock 9; kill -9 $$'")
                            .c_str()),
            0);
  EXPECT_EQ(Cli(import, &err), 0);
  EXPECT_EQ(err, "");
}

}  // namespace
}  // namespace tarnwick
