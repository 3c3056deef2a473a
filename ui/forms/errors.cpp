// Run-time errors and the number-text conversions of the windows.
#include "store/registry.h"
#include "ui/forms/forms.h"

namespace forms {

RuntimeError TypeMismatch() { return RuntimeError(13, "Type mismatch"); }
RuntimeError Overflow() { return RuntimeError(6, "Overflow"); }
RuntimeError FileNotFound() { return RuntimeError(53, "File not found"); }
RuntimeError OutOfMemory() { return RuntimeError(7, "Out of memory"); }

std::int32_t CLng(const std::string& text) {
  const registry::NumberResult result = registry::TextToLong(text);
  switch (result.error) {
    case registry::NumberError::kNone:
      return result.value;
    case registry::NumberError::kOverflow:
      throw Overflow();
    case registry::NumberError::kTypeMismatch:
      break;
  }
  throw TypeMismatch();
}

std::string CStr(std::int32_t value) { return registry::LongToText(value); }

}  // namespace forms
