// Feeds files to a fuzz target's entry point once each, without the
// fuzzer: the committed corpus as an ordinary test. Arguments are files or
// directories (every file in them, in name order).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_check.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    if (fs::is_directory(argv[i])) {
      for (const auto& entry : fs::directory_iterator(argv[i]))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else {
      files.emplace_back(argv[i]);
    }
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    std::fprintf(stderr, "replay: no inputs given\n");
    return 2;
  }
  for (const fs::path& file : files) {
    std::fprintf(stderr, "replay: %s\n", file.filename().c_str());
    const std::string bytes = fixture::ReadFile(file.string());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                           bytes.size());
  }
  std::printf("replay: %zu inputs, no invariant broken\n", files.size());
  return 0;
}
