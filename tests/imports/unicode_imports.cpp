// For the import check's own test: one Unicode function that Windows 98
// only stubs, and one that it implements.
#include <windows.h>

int main() {
  return GetModuleHandleW(nullptr) != nullptr && lstrlenW(L"98") == 2 ? 0 : 1;
}
