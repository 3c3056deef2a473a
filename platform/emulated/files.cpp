// The file search and full path names over the POSIX file system. Names
// match case-insensitively, as on Windows. A leading dot is an ordinary
// name, and matches come in the directory's order, as on FAT.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <string_view>
#include <vector>

#include "platform/emulated/names.h"
#include "platform/platform.h"

namespace platform {

namespace {

using emulated::detail::FoldChar;

constexpr std::size_t kMaxNameLength = 255;

// "*" matches any run of characters, "?" one that is no dot; a run of "?"
// at a dot or at the end of the name matches nothing, as in DOS ("a?.ini"
// matches "a.ini"). Letters match either case.
bool Matches(std::string_view pattern, std::string_view name) {
  std::size_t p = 0, n = 0;
  std::size_t starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '?' && name[n] == '.') {
      while (p < pattern.size() && pattern[p] == '?') ++p;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' ||
                FoldChar(pattern[p]) == FoldChar(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && (pattern[p] == '*' || pattern[p] == '?')) ++p;
  return p == pattern.size();
}

// As Windows reads a pattern: "name.*" also matches "name" without any
// extension, so "*.*" matches every name.
bool MatchesWindowsPattern(std::string_view pattern, std::string_view name) {
  if (Matches(pattern, name)) return true;
  return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
         name.find('.') == std::string_view::npos &&
         Matches(pattern.substr(0, pattern.size() - 2), name);
}

bool IsOrdinaryFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

FileSearch FindFirstFile(const std::string& pattern) {
  FileSearch search;
  if (pattern.empty()) return search;
  const std::size_t slash = pattern.rfind('/');
  const std::string directory =
      slash == std::string::npos ? "./" : pattern.substr(0, slash + 1);
  std::string last =
      slash == std::string::npos ? pattern : pattern.substr(slash + 1);
  // Windows drops trailing dots and blanks of a name: "a.ini." is "a.ini".
  while (!last.empty() && (last.back() == '.' || last.back() == ' ')) {
    last.pop_back();
  }
  // Wildcards belong in the last component only.
  if (directory.find_first_of("*?") != std::string::npos ||
      last.size() > kMaxNameLength) {
    search.outcome = FileSearch::Outcome::kFailed;
    return search;
  }
  if (last.empty()) return search;
  DIR* dir = opendir(directory.c_str());
  if (dir == nullptr) {
    // A missing directory is no match; a file used as a directory, as on
    // Windows, is an invalid name.
    if (errno != ENOENT) {
      search.outcome = FileSearch::Outcome::kFailed;
    }
    return search;
  }
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (MatchesWindowsPattern(last, name) && IsOrdinaryFile(directory + name)) {
      search.outcome = FileSearch::Outcome::kFound;
      search.name = name;
      break;
    }
  }
  closedir(dir);
  return search;
}

std::string FullPathName(const std::string& path) {
  if (path.empty()) return std::string();
  std::string full;
  if (path.front() != '/') {
    std::string cwd(4096, '\0');
    if (getcwd(cwd.data(), cwd.size()) == nullptr) return std::string();
    full = cwd.c_str();
    full += '/';
  }
  full += path;
  std::vector<std::string_view> kept;
  std::string_view rest(full);
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('/'), rest.size());
    std::string_view component = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (component.empty() || component == ".") continue;
    if (component == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(component);
  }
  std::string result;
  for (std::string_view component : kept) {
    result += '/';
    result += component;
  }
  if (result.empty() || path.back() == '/') result += '/';
  return result;
}

}  // namespace platform
