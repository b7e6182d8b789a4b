#ifndef TARNWICK_TESTS_SUPPORT_TEMP_DIR_H_
#define TARNWICK_TESTS_SUPPORT_TEMP_DIR_H_

#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick::test {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const {
    return path_ / name;
  }

 private:
  std::filesystem::path path_;
};

// Whole-file helpers for assertions on exact bytes.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);
// The names of the entries of `folder`, sorted.
std::vector<std::string> FileNames(const std::filesystem::path& folder);

// Runs a command through the shell; returns its exit status and fills
// `output` with what it printed on standard output.
int RunCommand(const std::string& command, std::string* output = nullptr);

}  // namespace tarnwick::test

#endif  // TARNWICK_TESTS_SUPPORT_TEMP_DIR_H_
