// The emulated profile functions on any file content, with any section,
// key and text (or none) and buffers of 0 to 300 characters. A buffer is
// exactly as large as the size given, so a write past it is caught. A
// string read stays inside its buffer and ends with a NUL, a list with two;
// a plain text written reads back as written, a removal takes what was
// there, and a write leaves no file but the profile behind.
//
// Input, through FuzzedDataProvider: the file content, the section, key and
// text, then up to eight operations (what, buffer size). A section, key or
// text of the single byte 0x01 stands for a null pointer.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

constexpr int kMaxOperations = 8;
constexpr std::uint32_t kReadBack = 300;

// A field, or null for "\x01".
const char* Arg(const std::string& field) {
  return field == "\x01" ? nullptr : field.c_str();
}

std::string ReadBack(const char* section, const char* key, const char* fallback,
                     const std::string& file) {
  char buffer[kReadBack];
  const std::uint32_t n = platform::GetPrivateProfileStringA(
      section, key, fallback, buffer, kReadBack, file.c_str());
  return std::string(buffer, n);
}

void CheckString(const char* section, const char* key, const char* fallback,
                 std::uint32_t size, const std::string& file) {
  // A heap block of exactly size bytes: a write past it is an error.
  std::unique_ptr<char[]> buffer(new char[size == 0 ? 1 : size]);
  char* out = size == 0 ? buffer.get() + 1 : buffer.get();
  if (size == 0) buffer[0] = 'x';
  const std::uint32_t n = platform::GetPrivateProfileStringA(
      section, key, fallback, out, size, file.c_str());
  if (size == 0) {
    FUZZ_CHECK(n == 0 && buffer[0] == 'x', "a buffer of 0 characters is used");
    return;
  }
  const std::string where =
      "size " + std::to_string(size) + ", answer " + std::to_string(n);
  FUZZ_CHECK(n < size && out[n] == '\0',
             "the text ends inside the buffer: " + where);
  // Section names always come as a list; key names only when the section
  // exists, else the default comes as a text.
  if (section == nullptr && size >= 2) {
    FUZZ_CHECK(n <= size - 2, "a list leaves room for its two NULs: " + where);
    FUZZ_CHECK(n == 0 || out[n - 1] == '\0' || out[n + 1] == '\0',
               "a list ends with two NULs: " + where);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string file = fuzz::ScratchDirectory().Join("fuzz.ini");
  // The file as the last input left it, to spare rewriting it unchanged.
  static std::string onDisk = "\x01none";
  const std::string content = input.ConsumeRandomLengthString();
  if (content != onDisk) fixture::WriteFile(file, content);
  onDisk = content;
  bool wrote = false;
  const std::string sectionField = input.ConsumeRandomLengthString();
  const std::string keyField = input.ConsumeRandomLengthString();
  const std::string textField = input.ConsumeRandomLengthString();
  const char* section = Arg(sectionField);
  const char* key = Arg(keyField);
  const char* text = Arg(textField);

  for (int i = 0; i < kMaxOperations && input.remaining_bytes() > 0; ++i) {
    const int what = input.ConsumeIntegralInRange(0, 5);
    const std::uint32_t bufferSize =
        input.ConsumeIntegralInRange<std::uint32_t>(0, kReadBack);
    switch (what) {
      case 0:
        CheckString(section, key, text, bufferSize, file);
        break;
      case 1:  // every section's name
        CheckString(nullptr, key, text, bufferSize, file);
        break;
      case 2:  // the section's key names
        CheckString(section, nullptr, text, bufferSize, file);
        break;
      case 3:
        platform::GetPrivateProfileIntA(
            section, key, static_cast<std::int32_t>(bufferSize), file.c_str());
        break;
      case 4: {
        const bool written = platform::WritePrivateProfileStringA(
            section, key, text, file.c_str());
        wrote = true;
        if (written && section && key && text &&
            fuzz::HoldsPlainly(sectionField, keyField, textField,
                               kReadBack - 1)) {
          FUZZ_CHECK(ReadBack(section, key, "", file) == textField,
                     "a written text reads back: [" + sectionField + "] " +
                         keyField + "=" + textField);
        }
        break;
      }
      case 5: {
        // A removal takes the first of duplicate keys or sections, so
        // whatever read as present before takes a line with it.
        const std::size_t before = fixture::ReadFile(file).size();
        const bool present =
            section && ReadBack(section, key, "\x01gone", file) != "\x01gone";
        FUZZ_CHECK(platform::WritePrivateProfileStringA(section, key, nullptr,
                                                        file.c_str()) ||
                       !section,
                   "a removal succeeds");
        wrote = true;
        FUZZ_CHECK(!present || fixture::ReadFile(file).size() < before,
                   "a removal takes [" + sectionField + "] " +
                       (key ? keyField : "(section)"));
        break;
      }
    }
  }
  if (wrote) {
    onDisk = "\x01changed";
    FUZZ_CHECK(fuzz::ScratchDirectory().Names().size() == 1,
               "writes leave only the profile behind");
  }
  return 0;
}
