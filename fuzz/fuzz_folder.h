// A folder of the fuzz targets' own for the files an input becomes: the
// readers under test open files by name, and reading through the file is
// what a price list really goes through.

#ifndef TARNWICK_FUZZ_FUZZ_FOLDER_H_
#define TARNWICK_FUZZ_FUZZ_FOLDER_H_

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace tarnwick::fuzz {

// Made once per process under the temporary folder (TMPDIR; a RAM disk such
// as /dev/shm keeps millions of runs off the real disk), removed at exit.
inline const std::filesystem::path& FuzzFolder() {
  struct Folder {
    std::filesystem::path path;
    Folder() {
      path = std::filesystem::temp_directory_path() /
             ("tarnwick-fuzz-" + std::to_string(std::random_device()()));
      std::filesystem::create_directories(path / "System");
    }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  };
  static const Folder folder;
  return folder.path;
}

inline void WriteFile(const std::filesystem::path& path,
                      std::string_view bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tarnwick::fuzz

#endif  // TARNWICK_FUZZ_FUZZ_FOLDER_H_
