// A fresh directory for one test, removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace fixture {

// A file's bytes, replaced or read whole; reading a file that cannot be read
// gives "".
inline void WriteFile(const std::filesystem::path& file,
                      const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
}
inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
// The names a directory holds; none when it cannot be read.
inline std::vector<std::string> NamesIn(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(dir, error)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("movarin-test-" + std::to_string(random()));
    } while (std::filesystem::exists(path_));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory in the platform's own spelling, without a separator at
  // the end.
  std::string Path() const { return path_.string(); }
  // A name inside the directory.
  std::string Join(const std::string& name) const {
    return (path_ / name).string();
  }

  void Write(const std::string& name, const std::string& bytes) const {
    WriteFile(path_ / name, bytes);
  }
  std::string Read(const std::string& name) const {
    return ReadFile(path_ / name);
  }
  std::vector<std::string> Names() const { return NamesIn(path_); }

 private:
  std::filesystem::path path_;
};

inline const std::string kSeparator(
    1, static_cast<char>(std::filesystem::path::preferred_separator));

}  // namespace fixture
