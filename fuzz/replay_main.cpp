// Feeds every file of the folders given to a fuzz target's entry point, in
// name order, without libFuzzer: CTest replays the inputs the fuzz runs
// found troublesome this way on every test run, under the ordinary build.

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
  std::vector<std::filesystem::path> inputs;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    for (std::filesystem::directory_iterator it(argv[i], ec), end;
         !ec && it != end; it.increment(ec)) {
      if (it->is_regular_file()) inputs.push_back(it->path());
    }
    if (ec) {
      std::cerr << argv[i] << ": " << ec.message() << "\n";
      return 1;
    }
  }
  std::sort(inputs.begin(), inputs.end());
  for (const std::filesystem::path& input : inputs) {
    std::ifstream in(input, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)),
                      std::istreambuf_iterator<char>());
    std::cout << input.filename().string() << std::endl;
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                           bytes.size());
  }
  std::cout << inputs.size() << " inputs replayed\n";
  return inputs.empty() ? 1 : 0;
}
