// The profile (INI) functions over real files, with Windows' rules: section
// and key names compare case-insensitively and trimmed; values are trimmed
// and lose one pair of matching quotes; the first of duplicate sections or
// keys wins. A write keeps every other line as it was and replaces the file
// atomically, so a crash never leaves half a file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/emulated/names.h"
#include "platform/platform.h"

namespace platform {

namespace {

using emulated::detail::EqualsFolded;
using emulated::detail::Trim;

struct Line {
  std::string text;  // without its line end
  std::string end;   // "\r\n", "\n" or "" for a last line without one
};

enum class LineKind { kBlank, kComment, kSection, kKey };

// What one line says.
struct LineInfo {
  LineKind kind = LineKind::kBlank;
  std::string_view name;                  // section or key name, trimmed
  std::optional<std::string_view> value;  // a key's value, trimmed; none
                                          // for a line without '='
};

LineInfo Classify(std::string_view text) {
  LineInfo info;
  std::string_view line = Trim(text);
  if (line.empty()) return info;
  if (line.front() == ';') {
    info.kind = LineKind::kComment;
    return info;
  }
  if (line.front() == '[') {
    info.kind = LineKind::kSection;
    const std::size_t close = line.rfind(']');
    info.name = Trim(line.substr(1, close == std::string_view::npos
                                        ? std::string_view::npos
                                        : close - 1));
    return info;
  }
  info.kind = LineKind::kKey;
  const std::size_t equals = line.find('=');
  info.name = Trim(line.substr(0, equals));
  if (equals != std::string_view::npos)
    info.value = Trim(line.substr(equals + 1));
  return info;
}

struct Profile {
  std::vector<Line> lines;
  std::string newline = "\r\n";  // the file's own line end, for new lines
};

// The file's lines; an empty profile when the file cannot be read.
Profile Load(const char* fileName) {
  Profile profile;
  std::ifstream in(fileName, std::ios::binary);
  if (!in) return profile;
  std::ostringstream contents;
  contents << in.rdbuf();
  const std::string text = contents.str();
  std::size_t start = 0;
  bool sawCrlf = false;
  bool sawLf = false;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    Line line;
    if (end == std::string::npos) {
      line.text = text.substr(start);
      start = text.size();
    } else {
      line.text = text.substr(start, end - start);
      line.end = "\n";
      if (!line.text.empty() && line.text.back() == '\r') {
        line.text.pop_back();
        line.end = "\r\n";
        sawCrlf = true;
      } else {
        sawLf = true;
      }
      start = end + 1;
    }
    profile.lines.push_back(std::move(line));
  }
  if (sawLf && !sawCrlf) profile.newline = "\n";
  return profile;
}

// The lines [begin, end) of the first section of that name; nullopt when
// there is none. begin is the header line.
struct SectionRange {
  std::size_t begin;
  std::size_t end;
};

std::optional<SectionRange> FindSection(const Profile& profile,
                                        std::string_view section) {
  section = Trim(section);
  for (std::size_t i = 0; i < profile.lines.size(); ++i) {
    LineInfo info = Classify(profile.lines[i].text);
    if (info.kind != LineKind::kSection || !EqualsFolded(info.name, section)) {
      continue;
    }
    std::size_t end = i + 1;
    while (end < profile.lines.size() &&
           Classify(profile.lines[end].text).kind != LineKind::kSection) {
      ++end;
    }
    return SectionRange{i, end};
  }
  return std::nullopt;
}

// The line of the first key of that name inside a section.
std::optional<std::size_t> FindKey(const Profile& profile,
                                   const SectionRange& range,
                                   std::string_view key) {
  key = Trim(key);
  for (std::size_t i = range.begin + 1; i < range.end; ++i) {
    LineInfo info = Classify(profile.lines[i].text);
    if (info.kind == LineKind::kKey && EqualsFolded(info.name, key)) return i;
  }
  return std::nullopt;
}

// A stored value as the functions deliver it: one pair of matching quotes
// (single or double) removed.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The value of section/key; nullopt when the section, the key or its '='
// is missing.
std::optional<std::string> LookUp(const Profile& profile, const char* section,
                                  const char* key) {
  std::optional<SectionRange> range = FindSection(profile, section);
  if (!range) return std::nullopt;
  std::optional<std::size_t> line = FindKey(profile, *range, key);
  if (!line) return std::nullopt;
  LineInfo info = Classify(profile.lines[*line].text);
  if (!info.value) return std::nullopt;
  return std::string(Unquote(*info.value));
}

// Copies text into buffer as far as size - 1 characters and a NUL allow.
std::uint32_t CopyOut(std::string_view text, char* buffer, std::uint32_t size) {
  const std::size_t count = std::min<std::size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
  return static_cast<std::uint32_t>(count);
}

// Names, each followed by a NUL, and one more NUL at the end. A name is
// placed whole only while at least one byte stays free after its NUL, as
// Windows places it; otherwise it is cut to the room left before the last
// two bytes, both NULs, and the answer is size - 2. So a list that fills the
// buffer exactly is reported as cut.
std::uint32_t CopyList(const std::vector<std::string_view>& names, char* buffer,
                       std::uint32_t size) {
  if (size == 1) {
    buffer[0] = '\0';
    return 0;
  }
  std::size_t used = 0;  // always <= size - 2
  for (std::string_view name : names) {
    if (used + name.size() + 2 >= size) {
      const std::size_t room = size - 2 - used;
      std::memcpy(buffer + used, name.data(), room);
      buffer[size - 2] = '\0';
      buffer[size - 1] = '\0';
      return size - 2;
    }
    std::memcpy(buffer + used, name.data(), name.size());
    used += name.size();
    buffer[used++] = '\0';
  }
  buffer[used] = '\0';
  return static_cast<std::uint32_t>(used);
}

std::vector<std::string_view> SectionNames(const Profile& profile) {
  std::vector<std::string_view> names;
  for (const Line& line : profile.lines) {
    LineInfo info = Classify(line.text);
    if (info.kind == LineKind::kSection) names.push_back(info.name);
  }
  return names;
}

std::vector<std::string_view> KeyNames(const Profile& profile,
                                       const char* section) {
  std::vector<std::string_view> names;
  std::optional<SectionRange> range = FindSection(profile, section);
  if (!range) return names;
  for (std::size_t i = range->begin + 1; i < range->end; ++i) {
    LineInfo info = Classify(profile.lines[i].text);
    if (info.kind == LineKind::kKey) names.push_back(info.name);
  }
  return names;
}

// The last failure's code, as GetLastError() reports it.
thread_local std::uint32_t lastError = 0;

// Records why the file system refused, in Windows' terms.
bool Fail(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      lastError = kErrorAccessDenied;
      break;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      lastError = kErrorDiskFull;
      break;
    case ENOENT:
    case ENOTDIR:
      lastError = kErrorPathNotFound;
      break;
    default:
      lastError = kErrorWriteFault;
  }
  return false;
}

// Writes the profile to a temporary file beside fileName, then renames it
// over fileName, so that the file is the old one or the new one whenever
// the write stops. An existing file keeps its permissions. False, and the
// old file untouched, when any step fails: a short write, the flush to disk,
// the close or the rename.
bool Save(const Profile& profile, const char* fileName) {
  const std::string target(fileName);
  std::string temporary = target + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return Fail(errno);
  struct stat existing;
  mode_t mode;
  if (stat(fileName, &existing) == 0) {
    // No write permission at all is Windows' read-only attribute, which
    // refuses the write (whoever the user is).
    if ((existing.st_mode & 0222) == 0) {
      close(fd);
      unlink(temporary.c_str());
      return Fail(EACCES);
    }
    mode = existing.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  std::string text;
  for (const Line& line : profile.lines) text += line.text + line.end;
  int error = 0;
  if (fchmod(fd, mode) != 0) error = errno;
  std::size_t written = 0;
  while (error == 0 && written < text.size()) {
    const ssize_t n = write(fd, text.data() + written, text.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? errno : ENOSPC;
    } else {
      written += static_cast<std::size_t>(n);
    }
  }
  if (fsync(fd) != 0 && error == 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temporary.c_str(), fileName) != 0) {
    error = errno;
  }
  if (error == 0) return true;
  unlink(temporary.c_str());
  return Fail(error);
}

// Makes sure the last line ends, so that a line can follow it.
void EndLastLine(Profile& profile) {
  if (!profile.lines.empty() && profile.lines.back().end.empty()) {
    profile.lines.back().end = profile.newline;
  }
}

// Sets section/key to text, creating the key (after the section's last
// non-blank line) or the section (at the end of the file) when missing.
// Answers whether anything changed.
bool SetValue(Profile& profile, const char* section, const char* key,
              std::string_view text) {
  const std::string keyName(Trim(key));
  const std::string line = keyName + "=" + std::string(text);
  std::optional<SectionRange> range = FindSection(profile, section);
  if (!range) {
    EndLastLine(profile);
    profile.lines.push_back(
        Line{"[" + std::string(Trim(section)) + "]", profile.newline});
    profile.lines.push_back(Line{line, profile.newline});
    return true;
  }
  if (std::optional<std::size_t> found = FindKey(profile, *range, key)) {
    Line& existing = profile.lines[*found];
    LineInfo info = Classify(existing.text);
    if (info.value && *info.value == text) return false;
    // The key keeps the spelling it was first written with.
    existing.text = std::string(info.name) + "=" + std::string(text);
    return true;
  }
  std::size_t after = range->end;
  while (after > range->begin + 1 &&
         Classify(profile.lines[after - 1].text).kind == LineKind::kBlank) {
    --after;
  }
  if (after == profile.lines.size()) EndLastLine(profile);
  profile.lines.insert(profile.lines.begin() + static_cast<long>(after),
                       Line{line, profile.newline});
  return true;
}

}  // namespace

std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                       const char* defaultText, char* buffer,
                                       std::uint32_t size,
                                       const char* fileName) {
  if (buffer == nullptr || size == 0) return 0;
  const Profile profile = fileName != nullptr ? Load(fileName) : Profile{};
  if (section == nullptr) return CopyList(SectionNames(profile), buffer, size);
  const bool sectionFound = FindSection(profile, section).has_value();
  if (key == nullptr && sectionFound) {
    return CopyList(KeyNames(profile, section), buffer, size);
  }
  std::optional<std::string> value;
  if (key != nullptr && *key != '\0') value = LookUp(profile, section, key);
  if (value) return CopyOut(*value, buffer, size);
  // The default loses its trailing spaces (and, like a value, its quotes).
  std::string_view fallback = defaultText != nullptr ? defaultText : "";
  while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
  return CopyOut(Unquote(fallback), buffer, size);
}

std::uint32_t GetPrivateProfileIntA(const char* section, const char* key,
                                    std::int32_t defaultValue,
                                    const char* fileName) {
  // The value is read as into a 30-character buffer, as Windows does.
  char text[30];
  if (GetPrivateProfileStringA(section, key, "", text, sizeof text, fileName) ==
      0) {
    return static_cast<std::uint32_t>(defaultValue);
  }
  // Leading control characters and blanks, one sign, then "0x" (hex), "0o"
  // (octal) or "0b" (binary) or decimal digits, up to the first character
  // that is not a digit of the base; the sum wraps around.
  const char* p = text;
  while (*p != '\0' && static_cast<unsigned char>(*p) <= ' ') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  std::uint32_t base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
    base = p[1] == 'x' ? 16 : p[1] == 'o' ? 8 : 2;
    p += 2;
  }
  std::uint32_t total = 0;
  for (;; ++p) {
    const char c = *p;
    std::uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'z') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'Z') {
      digit = static_cast<std::uint32_t>(c - 'A' + 10);
    } else {
      break;
    }
    if (digit >= base) break;
    total = total * base + digit;
  }
  return negative ? 0u - total : total;
}

bool WritePrivateProfileStringA(const char* section, const char* key,
                                const char* text, const char* fileName) {
  // Windows answers ERROR_FILE_NOT_FOUND to a null section.
  if (section == nullptr && (key != nullptr || text != nullptr)) {
    lastError = kErrorFileNotFound;
    return false;
  }
  if (section == nullptr) return true;
  if (fileName == nullptr || *fileName == '\0') {
    lastError = kErrorFileNotFound;
    return false;
  }
  Profile profile = Load(fileName);
  bool changed = false;
  std::optional<SectionRange> range = FindSection(profile, section);
  if (key == nullptr) {
    if (range) {
      profile.lines.erase(
          profile.lines.begin() + static_cast<long>(range->begin),
          profile.lines.begin() + static_cast<long>(range->end));
      changed = true;
    }
  } else if (text == nullptr) {
    if (range) {
      if (std::optional<std::size_t> line = FindKey(profile, *range, key)) {
        profile.lines.erase(profile.lines.begin() + static_cast<long>(*line));
        changed = true;
      }
    }
  } else {
    std::string_view value(text);
    while (!value.empty() && emulated::detail::IsBlank(value.front())) {
      value.remove_prefix(1);
    }
    changed = SetValue(profile, section, key, value);
  }
  if (!changed) return true;
  return Save(profile, fileName);
}

std::uint32_t GetLastError() { return lastError; }

}  // namespace platform
