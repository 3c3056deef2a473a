// The Windows headers the view uses, in the order they need. MessageBox
// names Host::MessageBox here, so the macro that renames it to MessageBoxA
// goes.
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
#undef MessageBox
