// The emulated registry: a tree of keys under the six predefined roots, with
// the answers the real advapi32 functions give (as measured against Wine and
// documented for Windows).
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/emulated/emulated.h"
#include "platform/emulated/names.h"
#include "platform/platform.h"

namespace platform {

namespace {

using emulated::detail::Fold;

constexpr long kErrorNoAccess = 998;
constexpr long kErrorKeyDeleted = 1018;
// The longest key-name component Windows accepts.
constexpr std::size_t kMaxKeyNameLength = 255;
// Value names from this length on are refused with 87.
constexpr std::size_t kValueNameLimit = 16384;
// The "A" functions convert a key path into a buffer of 261 characters: a
// longer path is refused with 234 before anything is looked up.
constexpr std::size_t kMaxSubKeyLength = 260;
// Windows documents a registry tree at most 512 levels deep (a root's
// children being the first level). It names no error for a deeper key and
// Wine sets no limit at all, so a deeper create answers 87, as an over-long
// key name does.
constexpr std::size_t kMaxDepth = 512;
constexpr std::uint32_t kDispositionCreatedNew = 1;
constexpr std::uint32_t kDispositionOpenedExisting = 2;

struct Value {
  std::string name;  // as first stored
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

struct Node {
  std::string name;  // as first created
  // Keyed by the folded name, so iteration is in case-insensitive order.
  std::map<std::string, std::shared_ptr<Node>> children;
  std::map<std::string, Value> values;
  bool deleted = false;
};

// Marks every key of a subtree deleted (a handle still open on one answers
// 1018) and empties it level by level, so that freeing a deep one never
// recurses.
void Discard(std::shared_ptr<Node> top) {
  std::vector<std::shared_ptr<Node>> pending;
  if (top) pending.push_back(std::move(top));
  while (!pending.empty()) {
    std::shared_ptr<Node> node = std::move(pending.back());
    pending.pop_back();
    node->deleted = true;
    for (auto& [name, child] : node->children) {
      pending.push_back(std::move(child));
    }
    node->children.clear();
  }
}

// Every node of a subtree, parents before children and siblings in name
// order, with its depth below top; walked without recursion.
template <typename Visit>
void Walk(const Node& top, Visit visit) {
  std::vector<std::pair<const Node*, std::size_t>> pending{{&top, 0}};
  while (!pending.empty()) {
    const auto [node, depth] = pending.back();
    pending.pop_back();
    visit(*node, depth);
    for (auto child = node->children.rbegin(); child != node->children.rend();
         ++child) {
      pending.emplace_back(child->second.get(), depth + 1);
    }
  }
}

struct RootInfo {
  Key key;
  const char* name;
};

constexpr RootInfo kRoots[] = {
    {kHkeyClassesRoot, "HKEY_CLASSES_ROOT"},
    {kHkeyCurrentUser, "HKEY_CURRENT_USER"},
    {kHkeyLocalMachine, "HKEY_LOCAL_MACHINE"},
    {kHkeyUsers, "HKEY_USERS"},
    {kHkeyCurrentConfig, "HKEY_CURRENT_CONFIG"},
    {kHkeyDynData, "HKEY_DYN_DATA"},
};

// An open key: the node, where it sits (root and folded path, for injected
// errors) and the access it was opened with.
struct Handle {
  std::shared_ptr<Node> node;
  Key root = 0;
  std::vector<std::string> path;
  std::uint32_t access = 0;
};

struct InjectedError {
  Key root;
  std::vector<std::string> path;  // folded
  long code;
};

struct Registry {
  std::map<Key, std::shared_ptr<Node>> roots;
  std::map<Key, Handle> handles;
  Key nextHandle = 0x1000;  // never reused, so a stale handle stays invalid
  std::vector<InjectedError> injected;

  Registry() { Clear(); }
  void Clear() {
    for (const RootInfo& root : kRoots) {
      auto node = std::make_shared<Node>();
      node->name = root.name;
      Discard(std::exchange(roots[root.key], node));
    }
    handles.clear();
    injected.clear();
  }
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

// A handle as the functions see it: a predefined root or an open key.
std::optional<Handle> Resolve(Key key) {
  Registry& registry = TheRegistry();
  if (auto root = registry.roots.find(key); root != registry.roots.end()) {
    return Handle{root->second, key, {}, ~std::uint32_t{0}};
  }
  if (auto open = registry.handles.find(key); open != registry.handles.end()) {
    return open->second;
  }
  return std::nullopt;
}

// A key path's components: empty ones (doubled or trailing backslashes) are
// skipped; a leading backslash is refused with 161 and a component longer
// than 255 characters with 87.
struct ParsedPath {
  long error = kErrorSuccess;
  std::vector<std::string> components;
};

ParsedPath ParsePath(const char* subKey) {
  ParsedPath parsed;
  if (subKey == nullptr || *subKey == '\0') return parsed;
  if (*subKey == '\\') {
    parsed.error = kErrorBadPathname;
    return parsed;
  }
  std::string_view rest(subKey);
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\\'), rest.size());
    std::string_view component = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (component.empty()) continue;
    if (component.size() > kMaxKeyNameLength) {
      parsed.error = kErrorInvalidParameter;
      return parsed;
    }
    parsed.components.emplace_back(component);
  }
  return parsed;
}

std::vector<std::string> FoldedPath(const std::vector<std::string>& base,
                                    const std::vector<std::string>& more) {
  std::vector<std::string> path = base;
  for (const std::string& component : more) path.push_back(Fold(component));
  return path;
}

// The injected error that covers a key, or 0.
long InjectedErrorFor(Key root, const std::vector<std::string>& foldedPath) {
  for (const InjectedError& injected : TheRegistry().injected) {
    if (injected.root == root && injected.path.size() <= foldedPath.size() &&
        std::equal(injected.path.begin(), injected.path.end(),
                   foldedPath.begin())) {
      return injected.code;
    }
  }
  return kErrorSuccess;
}

std::shared_ptr<Node> Find(std::shared_ptr<Node> node,
                           const std::vector<std::string>& components) {
  for (const std::string& component : components) {
    auto child = node->children.find(Fold(component));
    if (child == node->children.end()) return nullptr;
    node = child->second;
  }
  return node;
}

Key NewHandle(Handle handle) {
  Registry& registry = TheRegistry();
  const Key key = registry.nextHandle;
  registry.nextHandle += 4;
  registry.handles[key] = std::move(handle);
  return key;
}

// Resolves a handle for an operation on values; 0 or the error to answer.
// *node points into the registry: the handle's path is not copied.
long ValueAccess(Key key, std::uint32_t needed, Node** node) {
  Registry& registry = TheRegistry();
  Node* found = nullptr;
  std::uint32_t access = ~std::uint32_t{0};
  if (auto root = registry.roots.find(key); root != registry.roots.end()) {
    found = root->second.get();
  } else if (auto open = registry.handles.find(key);
             open != registry.handles.end()) {
    found = open->second.node.get();
    access = open->second.access;
  } else {
    return kErrorInvalidHandle;
  }
  if (found->deleted) return kErrorKeyDeleted;
  if ((access & needed) == 0) return kErrorAccessDenied;
  *node = found;
  return kErrorSuccess;
}

// The key an open or create addresses: the handle it starts from, the
// components below it and the folded path from the root; or the error to
// answer before anything is looked up.
struct Target {
  long error = kErrorSuccess;
  Handle base;
  std::vector<std::string> components;
  std::vector<std::string> path;
};

// How a key path reaches the registry: through the "A" functions' 261-
// character buffer, or whole (as regedit passes it, through the wide
// functions).
enum class PathLimit { kAnsi, kNone };

Target Locate(Key root, const char* subKey, const Key* result,
              PathLimit limit = PathLimit::kAnsi) {
  Target target;
  std::optional<Handle> base = Resolve(root);
  if (result == nullptr) {
    target.error = kErrorInvalidParameter;
  } else if (!base) {
    target.error = kErrorInvalidHandle;
  } else if (base->node->deleted) {
    target.error = kErrorKeyDeleted;
  }
  if (target.error != kErrorSuccess) return target;
  if (limit == PathLimit::kAnsi && subKey != nullptr &&
      std::strlen(subKey) > kMaxSubKeyLength) {
    target.error = kErrorMoreData;
    return target;
  }
  ParsedPath parsed = ParsePath(subKey);
  if (parsed.error != kErrorSuccess) {
    target.error = parsed.error;
    return target;
  }
  target.path = FoldedPath(base->path, parsed.components);
  target.error = InjectedErrorFor(base->root, target.path);
  target.base = std::move(*base);
  target.components = std::move(parsed.components);
  return target;
}

// The key a create addresses, or the error it answers before anything is
// created.
Target LocateForCreate(Key root, const char* subKey, const Key* result,
                       PathLimit limit) {
  Target target = Locate(root, subKey, result, limit);
  if (target.error == kErrorSuccess && target.path.size() > kMaxDepth) {
    target.error = kErrorInvalidParameter;
  }
  return target;
}

// Creates every missing level of a located key; a new handle to it.
Key CreateKey(Target& target, std::uint32_t access, bool* created) {
  std::shared_ptr<Node> node = target.base.node;
  *created = false;
  for (const std::string& component : target.components) {
    std::shared_ptr<Node>& child = node->children[Fold(component)];
    if (!child) {
      child = std::make_shared<Node>();
      child->name = component;
      *created = true;
    }
    node = child;
  }
  return NewHandle(
      Handle{node, target.base.root, std::move(target.path), access});
}

std::string ValueKey(const char* valueName) {
  return Fold(valueName == nullptr ? "" : valueName);
}

// Stores the bytes as they are under a name, replacing any earlier value of
// that name whatever its type.
void StoreValue(Node& node, const std::string& name, std::uint32_t type,
                std::vector<std::uint8_t> data) {
  Value& value = node.values[Fold(name)];
  if (value.name.empty()) value.name = name;
  value.type = type;
  value.data = std::move(data);
}

bool IsStringType(std::uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

}  // namespace

long RegOpenKeyExA(Key root, const char* subKey, std::uint32_t /*options*/,
                   std::uint32_t access, Key* result) {
  Target target = Locate(root, subKey, result);
  if (target.error != kErrorSuccess) return target.error;
  std::shared_ptr<Node> node = Find(target.base.node, target.components);
  if (!node) return kErrorFileNotFound;
  // A predefined root opened with no sub key answers the root itself.
  if (target.components.empty() && TheRegistry().roots.count(root) != 0) {
    *result = root;
    return kErrorSuccess;
  }
  *result =
      NewHandle(Handle{node, target.base.root, std::move(target.path), access});
  return kErrorSuccess;
}

long RegCreateKeyExA(Key root, const char* subKey, std::uint32_t /*reserved*/,
                     const char* /*keyClass*/, std::uint32_t /*options*/,
                     std::uint32_t access,
                     const SecurityAttributes* /*security*/, Key* result,
                     std::uint32_t* disposition) {
  Target target = LocateForCreate(root, subKey, result, PathLimit::kAnsi);
  if (target.error != kErrorSuccess) return target.error;
  bool created = false;
  *result = CreateKey(target, access, &created);
  if (disposition != nullptr) {
    *disposition =
        created ? kDispositionCreatedNew : kDispositionOpenedExisting;
  }
  return kErrorSuccess;
}

long RegQueryValueExA(Key key, const char* valueName,
                      std::uint32_t* /*reserved*/, std::uint32_t* type,
                      std::uint8_t* data, std::uint32_t* size) {
  Node* node = nullptr;
  if (long code = ValueAccess(key, kKeyQueryValue, &node)) return code;
  if (data != nullptr && size == nullptr) return kErrorInvalidParameter;
  auto found = node->values.find(ValueKey(valueName));
  if (found == node->values.end()) {
    // Asked for the size alone, an absent value has none (Windows NT and
    // Wine; Windows 9x left it untouched).
    if (data == nullptr && size != nullptr) *size = 0;
    return kErrorFileNotFound;
  }
  const Value& value = found->second;
  const auto needed = static_cast<std::uint32_t>(value.data.size());
  if (type != nullptr) *type = value.type;
  if (data == nullptr) {
    if (size != nullptr) *size = needed;
    return kErrorSuccess;
  }
  if (needed > *size) {
    *size = needed;
    return kErrorMoreData;
  }
  std::copy(value.data.begin(), value.data.end(), data);
  *size = needed;
  return kErrorSuccess;
}

long RegSetValueExA(Key key, const char* valueName, std::uint32_t /*reserved*/,
                    std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) {
  Node* node = nullptr;
  if (long code = ValueAccess(key, kKeySetValue, &node)) return code;
  const std::string name = valueName == nullptr ? "" : valueName;
  if (name.size() >= kValueNameLimit) return kErrorInvalidParameter;
  if (data == nullptr && size != 0) return kErrorNoAccess;
  // A text whose counted bytes end short of its NUL gets that NUL too: the
  // real function looks at the byte just after the counted ones.
  if (IsStringType(type) && size != 0 && data[size - 1] != 0 &&
      data[size] == 0) {
    ++size;
  }
  StoreValue(*node, name, type, std::vector<std::uint8_t>(data, data + size));
  return kErrorSuccess;
}

long RegDeleteValueA(Key key, const char* valueName) {
  Node* node = nullptr;
  if (long code = ValueAccess(key, kKeySetValue, &node)) return code;
  return node->values.erase(ValueKey(valueName)) != 0 ? kErrorSuccess
                                                      : kErrorFileNotFound;
}

long RegCloseKey(Key key) {
  Registry& registry = TheRegistry();
  if (registry.roots.count(key) != 0) return kErrorSuccess;
  return registry.handles.erase(key) != 0 ? kErrorSuccess : kErrorInvalidHandle;
}

namespace emulated {

namespace detail {
void ResetRegistry() { TheRegistry().Clear(); }
}  // namespace detail

namespace {

std::shared_ptr<Node> FindPath(Key root, const std::string& keyPath) {
  auto rootNode = TheRegistry().roots.find(root);
  if (rootNode == TheRegistry().roots.end()) return nullptr;
  ParsedPath parsed = ParsePath(keyPath.c_str());
  if (parsed.error != kErrorSuccess) return nullptr;
  return Find(rootNode->second, parsed.components);
}

}  // namespace

std::optional<RawValue> GetRawValue(Key root, const std::string& keyPath,
                                    const std::string& valueName) {
  std::shared_ptr<Node> node = FindPath(root, keyPath);
  if (!node) return std::nullopt;
  auto found = node->values.find(Fold(valueName));
  if (found == node->values.end()) return std::nullopt;
  return RawValue{found->second.type, found->second.data};
}

bool KeyExists(Key root, const std::string& keyPath) {
  return FindPath(root, keyPath) != nullptr;
}

bool DeleteKeyTree(Key root, const std::string& keyPath) {
  ParsedPath parsed = ParsePath(keyPath.c_str());
  if (parsed.error != kErrorSuccess || parsed.components.empty()) return false;
  const std::string last = Fold(parsed.components.back());
  parsed.components.pop_back();
  auto rootNode = TheRegistry().roots.find(root);
  if (rootNode == TheRegistry().roots.end()) return false;
  std::shared_ptr<Node> parent = Find(rootNode->second, parsed.components);
  if (!parent) return false;
  auto child = parent->children.find(last);
  if (child == parent->children.end()) return false;
  Discard(std::move(child->second));
  parent->children.erase(child);
  return true;
}

void InjectKeyError(Key root, const std::string& keyPath, long code) {
  ParsedPath parsed = ParsePath(keyPath.c_str());
  TheRegistry().injected.push_back(
      InjectedError{root, FoldedPath({}, parsed.components), code});
}

// ---- REGEDIT4 ----

namespace {

std::optional<Key> RootByName(std::string_view name) {
  for (const RootInfo& root : kRoots) {
    if (emulated::detail::EqualsFolded(name, root.name)) return root.key;
  }
  return std::nullopt;
}

// Joins continued lines (a trailing backslash after hex data) and drops
// line ends.
std::vector<std::string> LogicalLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string current;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::string_view trimmed = emulated::detail::Trim(line);
    if (!current.empty()) {
      current += trimmed;
    } else {
      current = std::string(trimmed);
    }
    if (!current.empty() && current.back() == '\\' &&
        current.find("=hex") != std::string::npos) {
      current.pop_back();
      continue;
    }
    lines.push_back(std::move(current));
    current.clear();
  }
  if (!current.empty()) lines.push_back(std::move(current));
  return lines;
}

// Reads a quoted string with \\ and \" escapes from the front of text;
// nullopt when it is not one.
std::optional<std::string> TakeQuoted(std::string_view& text) {
  if (text.empty() || text.front() != '"') return std::nullopt;
  std::string out;
  for (std::size_t i = 1; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      out += text[++i];
    } else if (c == '"') {
      text.remove_prefix(i + 1);
      return out;
    } else {
      out += c;
    }
  }
  return std::nullopt;
}

// A hexadecimal number of one to maxDigits digits; nullopt otherwise.
std::optional<std::uint32_t> ParseHexNumber(std::string_view digits,
                                            std::size_t maxDigits) {
  if (digits.empty() || digits.size() > maxDigits) return std::nullopt;
  std::uint32_t number = 0;
  for (char c : digits) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
    const char lower = static_cast<char>(std::tolower(c));
    number = number * 16 + static_cast<std::uint32_t>(
                               lower <= '9' ? lower - '0' : lower - 'a' + 10);
  }
  return number;
}

std::optional<std::vector<std::uint8_t>> ParseHexBytes(std::string_view text) {
  std::vector<std::uint8_t> bytes;
  std::string digits;
  auto flush = [&]() -> bool {
    if (digits.empty()) return true;
    std::optional<std::uint32_t> byte = ParseHexNumber(digits, 2);
    if (!byte) return false;
    bytes.push_back(static_cast<std::uint8_t>(*byte));
    digits.clear();
    return true;
  };
  for (char c : text) {
    if (std::isxdigit(static_cast<unsigned char>(c))) {
      digits += c;
    } else if (c == ',') {
      if (digits.empty() || !flush()) return std::nullopt;
    } else if (!emulated::detail::IsBlank(c)) {
      return std::nullopt;
    }
  }
  if (!flush()) return std::nullopt;
  return bytes;
}

// The data of one value line after '='; nullopt when malformed. A deletion
// ("-") yields an entry with deleted set.
struct ParsedData {
  bool deleted = false;
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;
};

std::optional<ParsedData> ParseData(std::string_view text) {
  ParsedData parsed;
  if (text == "-") {
    parsed.deleted = true;
    return parsed;
  }
  if (!text.empty() && text.front() == '"') {
    std::optional<std::string> value = TakeQuoted(text);
    if (!value || !emulated::detail::Trim(text).empty()) return std::nullopt;
    parsed.type = kRegSz;
    parsed.data.assign(value->begin(), value->end());
    parsed.data.push_back(0);
    return parsed;
  }
  if (text.substr(0, 6) == "dword:") {
    std::optional<std::uint32_t> number = ParseHexNumber(text.substr(6), 8);
    if (!number) return std::nullopt;
    parsed.type = kRegDword;
    for (int i = 0; i < 4; ++i) {
      parsed.data.push_back(static_cast<std::uint8_t>(*number >> (8 * i)));
    }
    return parsed;
  }
  if (text.substr(0, 4) == "hex:") {
    parsed.type = kRegBinary;
    text.remove_prefix(4);
  } else if (text.substr(0, 4) == "hex(") {
    const std::size_t close = text.find("):");
    if (close == std::string_view::npos) return std::nullopt;
    std::optional<std::uint32_t> type =
        ParseHexNumber(text.substr(4, close - 4), 8);
    if (!type) return std::nullopt;
    parsed.type = *type;
    text.remove_prefix(close + 2);
  } else {
    return std::nullopt;
  }
  std::optional<std::vector<std::uint8_t>> bytes = ParseHexBytes(text);
  if (!bytes) return std::nullopt;
  parsed.data = std::move(*bytes);
  return parsed;
}

// Splits "HKEY_...\path" into a root and a path.
std::optional<std::pair<Key, std::string>> SplitKeyName(std::string_view name) {
  const std::size_t slash = std::min(name.find('\\'), name.size());
  std::optional<Key> root = RootByName(name.substr(0, slash));
  if (!root) return std::nullopt;
  std::string path(name.substr(std::min(slash + 1, name.size())));
  return std::make_pair(*root, path);
}

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  return out;
}

std::string HexList(const std::vector<std::uint8_t>& data) {
  std::string out;
  char digits[4];
  for (std::size_t i = 0; i < data.size(); ++i) {
    std::snprintf(digits, sizeof digits, "%02x", data[i]);
    if (i != 0) out += ',';
    out += digits;
  }
  return out;
}

// A name the format can hold: a line end inside one would break its line.
bool FitsOnALine(std::string_view name) {
  return name.find_first_of("\r\n") == std::string_view::npos;
}

std::string DumpData(const Value& value) {
  const std::vector<std::uint8_t>& data = value.data;
  // A text with a line end goes as bytes: a quoted string cannot hold one.
  const bool plainText =
      value.type == kRegSz && !data.empty() && data.back() == 0 &&
      std::find(data.begin(), data.end() - 1, 0) == data.end() - 1 &&
      FitsOnALine(std::string_view(reinterpret_cast<const char*>(data.data()),
                                   data.size()));
  if (plainText) {
    return "\"" + Escape(std::string(data.begin(), data.end() - 1)) + "\"";
  }
  if (value.type == kRegDword && data.size() == 4) {
    char text[16];
    const std::uint32_t number = data[0] | (data[1] << 8) | (data[2] << 16) |
                                 (static_cast<std::uint32_t>(data[3]) << 24);
    std::snprintf(text, sizeof text, "dword:%08x", number);
    return text;
  }
  if (value.type == kRegBinary) return "hex:" + HexList(data);
  char prefix[24];
  std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
  return prefix + HexList(data);
}

// A key's section: its name, then its values in name order; false when a
// value name holds a line end.
bool DumpKey(const Node& node, const std::string& fullName, std::string& out) {
  out += "[" + fullName + "]\n";
  for (const auto& [folded, value] : node.values) {
    if (!FitsOnALine(value.name)) return false;
    out += (value.name.empty() ? "@" : "\"" + Escape(value.name) + "\"") + "=" +
           DumpData(value) + "\n";
  }
  out += "\n";
  return true;
}

// One REGEDIT4 line: a [key] or [-key] header, or a value of the key the
// last header selected.
struct Regedit4Line {
  enum class Kind { kKey, kDeleteKey, kValue } kind = Kind::kValue;
  Key root = 0;
  std::string path;
  std::string valueName;
  ParsedData data;
};

// Where a [key] line's key goes, as regedit creates it.
Target LocateKey(const Regedit4Line& entry) {
  const Key unused = 0;
  return LocateForCreate(entry.root, entry.path.c_str(), &unused,
                         PathLimit::kNone);
}

bool Creatable(const Regedit4Line& entry) {
  return LocateKey(entry).error == kErrorSuccess;
}

// The lines after the header, each checked as far as it can be without
// changing anything: a key must be one a create would make, a value needs a
// selected key. nullopt for a malformed file.
std::optional<std::vector<Regedit4Line>> ParseRegedit4(
    const std::vector<std::string>& lines, std::size_t first) {
  std::vector<Regedit4Line> parsed;
  bool keySelected = false;
  for (std::size_t i = first; i < lines.size(); ++i) {
    std::string_view line = lines[i];
    if (line.empty() || line.front() == ';') continue;
    Regedit4Line entry;
    if (line.front() == '[') {
      if (line.back() != ']') return std::nullopt;
      std::string_view name = line.substr(1, line.size() - 2);
      const bool remove = !name.empty() && name.front() == '-';
      if (remove) name.remove_prefix(1);
      auto split = SplitKeyName(name);
      if (!split) return std::nullopt;
      entry.kind =
          remove ? Regedit4Line::Kind::kDeleteKey : Regedit4Line::Kind::kKey;
      entry.root = split->first;
      entry.path = std::move(split->second);
      if (!remove && !Creatable(entry)) return std::nullopt;
      keySelected = !remove;
      parsed.push_back(std::move(entry));
      continue;
    }
    if (line.front() == '@') {
      line.remove_prefix(1);
    } else {
      std::optional<std::string> quoted = TakeQuoted(line);
      if (!quoted || quoted->size() >= kValueNameLimit) return std::nullopt;
      entry.valueName = std::move(*quoted);
    }
    line = emulated::detail::Trim(line);
    if (line.empty() || line.front() != '=') return std::nullopt;
    std::optional<ParsedData> data =
        ParseData(emulated::detail::Trim(line.substr(1)));
    if (!data || !keySelected) return std::nullopt;
    entry.data = std::move(*data);
    parsed.push_back(std::move(entry));
  }
  return parsed;
}

}  // namespace

bool LoadRegedit4(const std::string& text) {
  std::vector<std::string> lines = LogicalLines(text);
  std::size_t first = 0;
  while (first < lines.size() && lines[first].empty()) ++first;
  if (first == lines.size() ||
      (lines[first] != "REGEDIT4" &&
       lines[first] != "Windows Registry Editor Version 5.00")) {
    return false;
  }
  std::optional<std::vector<Regedit4Line>> parsed =
      ParseRegedit4(lines, first + 1);
  if (!parsed) return false;
  // Checked in full above, so nothing below fails half-way.
  Key current = 0;
  for (Regedit4Line& entry : *parsed) {
    if (entry.kind != Regedit4Line::Kind::kValue && current != 0) {
      RegCloseKey(current);
      current = 0;
    }
    if (entry.kind == Regedit4Line::Kind::kDeleteKey) {
      DeleteKeyTree(entry.root, entry.path);
    } else if (entry.kind == Regedit4Line::Kind::kKey) {
      // Located again: a deletion since may have replaced its parents.
      Target key = LocateKey(entry);
      bool created = false;
      current = CreateKey(key, kKeySetValue, &created);
    } else if (entry.data.deleted) {
      RegDeleteValueA(current, entry.valueName.c_str());
    } else {
      Node* node = nullptr;
      ValueAccess(current, kKeySetValue, &node);
      StoreValue(*node, entry.valueName, entry.data.type,
                 std::move(entry.data.data));
    }
  }
  if (current != 0) RegCloseKey(current);
  return true;
}

std::optional<std::string> DumpRegedit4() {
  std::string out = "REGEDIT4\n\n";
  for (const RootInfo& root : kRoots) {
    // A root appears only when it holds values, as regedit shows it.
    std::vector<std::string> names;
    bool dumped = true;
    Walk(*TheRegistry().roots[root.key],
         [&](const Node& node, std::size_t depth) {
           names.resize(depth + 1);
           names[depth] =
               depth == 0 ? root.name : names[depth - 1] + "\\" + node.name;
           if (!FitsOnALine(node.name)) dumped = false;
           if (depth != 0 || !node.values.empty()) {
             dumped = DumpKey(node, names[depth], out) && dumped;
           }
         });
    if (!dumped) return std::nullopt;
  }
  return out;
}

}  // namespace emulated

}  // namespace platform
