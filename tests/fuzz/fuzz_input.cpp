#include "tests/fuzz/fuzz_input.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fuzz {

std::string Input::Field() {
  std::string field;
  while (pos_ < size_ && data_[pos_] != 0)
    field += static_cast<char>(data_[pos_++]);
  if (pos_ < size_) ++pos_;
  return field;
}

std::string Input::Rest() {
  std::string rest(reinterpret_cast<const char*>(data_) + pos_, size_ - pos_);
  pos_ = size_;
  return rest;
}

void Fail(const char* file, int line, const std::string& what) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line,
               what.c_str());
  std::abort();
}

namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsPlain(const std::string& s) {
  if (s.empty() || IsBlank(s.front()) || IsBlank(s.back())) return false;
  for (unsigned char c : s)
    if (c < 0x20 || c == 0x7f) return false;
  return true;
}

}  // namespace

bool HoldsPlainly(const std::string& section, const std::string& key,
                  const std::string& text, std::size_t maxText) {
  const bool quoted = text.size() >= 2 &&
                      (text.front() == '"' || text.front() == '\'') &&
                      text.back() == text.front();
  return IsPlain(section) && IsPlain(key) && IsPlain(text) &&
         text.size() <= maxText && !quoted &&
         key.find('=') == std::string::npos && key.front() != ';' &&
         key.front() != '[';
}

namespace {

constexpr char kScratchPrefix[] = "movarin-fuzz-";

// Directories of runs that ended without removing theirs (an input that
// aborted) go when their process is gone.
void RemoveStale(const std::filesystem::path& base) {
  namespace fs = std::filesystem;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(base, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kScratchPrefix, 0) != 0) continue;
    const long pid = std::atol(name.c_str() + sizeof kScratchPrefix - 1);
    if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
      fs::remove_all(entry.path(), error);
  }
}

std::string MakeScratch() {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path base = "/dev/shm";
  if (!fs::is_directory(base, error)) base = fs::temp_directory_path();
  RemoveStale(base);
  const fs::path dir = base / (kScratchPrefix + std::to_string(getpid()));
  fs::remove_all(dir, error);
  fs::create_directories(dir);
  std::atexit([] {
    std::error_code ignored;
    fs::remove_all(ScratchDirectory(), ignored);
  });
  return dir.string();
}

}  // namespace

const std::string& ScratchDirectory() {
  // Never destroyed: the removal at exit still reads it.
  static const std::string& dir = *new std::string(MakeScratch());
  return dir;
}

}  // namespace fuzz
