#include "support/app_folder_test.h"

#include "octonus/price_workbooks.h"

namespace tarnwick::test {

const std::filesystem::path& AppFolderTest::BuiltApp() {
  static const std::filesystem::path built = TARNWICK_APP_DIR;
  return built;
}

void AppFolderTest::CopyFromBuiltApp(const std::filesystem::path& relative) {
  std::filesystem::path target = app() / relative;
  std::filesystem::create_directories(target.parent_path());
  std::filesystem::copy(BuiltApp() / relative, target,
                        std::filesystem::copy_options::recursive);
}

int AppFolderTest::Cli(const std::string& args, std::string* err) {
  return RunCli(app(), args, nullptr, err);
}

}  // namespace tarnwick::test
