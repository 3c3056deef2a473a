// Helpers the emulated backend's parts share. Not part of the platform
// interface.
#pragma once

#include <string>
#include <string_view>

namespace platform::emulated::detail {

// Names compare as Windows compares registry and profile names: ignoring
// the case of ASCII letters; other bytes compare as they are.
inline char FoldChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string Fold(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) c = FoldChar(c);
  return folded;
}

inline bool EqualsFolded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldChar(a[i]) != FoldChar(b[i])) return false;
  }
  return true;
}

// Blanks as the profile functions see them: space, tab, CR, LF, VT, FF.
inline bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' ||
         c == '\f';
}

inline std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Forgets the registry's contents, handles and injected errors.
void ResetRegistry();

}  // namespace platform::emulated::detail
