// <windows.h> for the view: MessageBox names Host::MessageBox here, so the
// macro that renames it to MessageBoxA goes. Included before anything else.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef MessageBox
