// The Windows headers the view uses, in the order they need.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <ocidl.h>
#include <olectl.h>
// clang-format on

namespace forms::win32 {

// Registers a class of the instance, with the arrow cursor, unless it exists.
inline const char* RegisterClassOnce(HINSTANCE instance, const char* name,
                                     WNDPROC procedure) {
  WNDCLASSA windowClass = {};
  if (GetClassInfoA(instance, name, &windowClass)) return name;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  RegisterClassA(&windowClass);
  return name;
}

}  // namespace forms::win32
