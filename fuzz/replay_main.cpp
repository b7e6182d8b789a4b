// Runs kept fuzz inputs through a fuzz target without libFuzzer, so that
// every test pass replays them: `replay FOLDER...` feeds each file of each
// folder to LLVMFuzzerTestOneInput. A target stops the run on a fault; a
// folder missing or empty fails it too, since nothing would be checked.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size);

int main(int argc, char** argv) {
  for (int k = 1; k < argc; ++k) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(argv[k], error)) {
      if (entry.is_regular_file()) files.push_back(entry.path());
    }
    if (files.empty()) {
      std::cerr << argv[k] << ": no inputs to replay\n";
      return 1;
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
      std::ifstream in(file, std::ios::binary);
      std::string bytes((std::istreambuf_iterator<char>(in)),
                        std::istreambuf_iterator<char>());
      std::cerr << file.filename().string() << '\n';
      LLVMFuzzerTestOneInput(
          reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::cerr << files.size() << " inputs from " << argv[k] << '\n';
  }
  return argc > 1 ? 0 : 2;
}
