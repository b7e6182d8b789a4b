#include "core/application_folder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "import/error_of.h"
#include "support/temp_dir.h"

namespace tarnwick::test {
namespace {

namespace fs = std::filesystem;

// An installed layout (prefix/bin, prefix/share/tarnwick/System) and a
// portable one (a program folder with System/ beside the program).
TEST(ApplicationFolderTest, NamedThenEnvironmentThenProgramThenDocuments) {
  TempDir dir;
  const fs::path installed = dir / "prefix/bin";
  const fs::path portable = dir / "portable";
  const fs::path documents = dir / "documents";
  fs::create_directories(installed);
  fs::create_directories(dir / "prefix/share/tarnwick/System");
  fs::create_directories(portable / "System");
  fs::create_directories(documents);
  EXPECT_EQ(ChooseApplicationFolder({"/named", portable, documents}), "/named");
  EXPECT_EQ(ChooseApplicationFolder({{}, portable, documents}), portable);
  EXPECT_EQ(ChooseApplicationFolder({{}, installed, documents}),
            documents / "Tarnwick");
  EXPECT_TRUE(fs::is_directory(documents / "Tarnwick/System"));
  ::setenv("TARNWICK_HOME", "/from/environment", 1);
  EXPECT_EQ(ChooseApplicationFolder({{}, portable, documents}),
            "/from/environment");
  EXPECT_EQ(ChooseApplicationFolder({"/named", portable, documents}), "/named");
  ::unsetenv("TARNWICK_HOME");
}

TEST(ApplicationFolderTest, AFolderThatCannotBeMadeIsNamedInTheReason) {
  TempDir dir;
  WriteBytes(dir / "Tarnwick", "a file in the way");
  EXPECT_THAT(ErrorOf([&] {
                ChooseApplicationFolder({{}, dir / "bin", dir.path()});
              }),
              ::testing::StartsWith("The application folder " +
                                    (dir / "Tarnwick").string() +
                                    " cannot be created or written: "));
}

}  // namespace
}  // namespace tarnwick::test
