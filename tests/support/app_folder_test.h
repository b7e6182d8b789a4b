#ifndef TARNWICK_TESTS_SUPPORT_APP_FOLDER_TEST_H_
#define TARNWICK_TESTS_SUPPORT_APP_FOLDER_TEST_H_

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace tarnwick::test {

// A fresh application folder ("app" in a temporary folder) that tests fill
// from the ready one the build lays out, run tarnwick-cli on, and check with
// the Python peers.
class AppFolderTest : public ::testing::Test {
 protected:
  static const std::filesystem::path& BuiltApp();

  std::filesystem::path app() const { return dir_ / "app"; }
  // Copies a file or folder of the built application folder into app().
  void CopyFromBuiltApp(const std::filesystem::path& relative);

  // tarnwick-cli on app(); the exit status, standard error in `err`.
  int Cli(const std::string& args, std::string* err);

  TempDir dir_;
};

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_SUPPORT_APP_FOLDER_TEST_H_
