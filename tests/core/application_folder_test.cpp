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
class ApplicationFolderTest : public ::testing::Test {
 protected:
  ApplicationFolderTest() {
    fs::create_directories(dir_ / "prefix/bin");
    fs::create_directories(dir_ / "prefix/share/tarnwick/System");
    fs::create_directories(dir_ / "portable/System");
    fs::create_directories(dir_ / "documents");
    ::unsetenv("TARNWICK_HOME");
  }
  ~ApplicationFolderTest() override { ::unsetenv("TARNWICK_HOME"); }

  TempDir dir_;
};

TEST_F(ApplicationFolderTest, NamedThenEnvironmentThenProgramThenDocuments) {
  const fs::path installed = dir_ / "prefix/bin";
  const fs::path portable = dir_ / "portable";
  const fs::path documents = dir_ / "documents";
  EXPECT_EQ(ChooseApplicationFolder({"/named", portable, documents}), "/named");
  EXPECT_EQ(ChooseApplicationFolder({{}, portable, documents}), portable);
  EXPECT_EQ(ChooseApplicationFolder({{}, installed, documents}),
            documents / "Tarnwick");
  EXPECT_TRUE(fs::is_directory(documents / "Tarnwick/System"));
  ::setenv("TARNWICK_HOME", "/from/environment", 1);
  EXPECT_EQ(ChooseApplicationFolder({{}, portable, documents}),
            "/from/environment");
  EXPECT_EQ(ChooseApplicationFolder({"/named", portable, documents}), "/named");
}

TEST_F(ApplicationFolderTest, AFolderThatCannotBeMadeIsNamedInTheReason) {
  WriteBytes(dir_ / "documents/Tarnwick", "a file in the way");
  EXPECT_THAT(
      ErrorOf([&] {
        ChooseApplicationFolder({{}, dir_ / "prefix/bin", dir_ / "documents"});
      }),
      ::testing::StartsWith("The application folder " +
                            (dir_ / "documents/Tarnwick").string() +
                            " cannot be created or written: "));
}

}  // namespace
}  // namespace tarnwick::test
