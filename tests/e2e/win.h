// The Windows headers the driver uses, in the order they need: the common
// controls' header relies on the definitions of <windows.h>.
#pragma once

// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
