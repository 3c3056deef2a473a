// Where the display driver keeps the values Movarin tunes: keys below
// HKEY_LOCAL_MACHINE, each value a REG_SZ holding a number as text. The
// tests read and seed the same keys through these names.
#pragma once

namespace driver {

// Every key of the driver lies below this one.
inline constexpr const char* kVendorKey = "SOFTWARE\\PowerVR";

// The Direct3D mip-map level of detail: for every game, or for one game at
// the prefix followed by its executable's name.
inline constexpr const char* kGlobalD3DKey =
    "SOFTWARE\\PowerVR\\KYRO\\Global\\D3D";
inline constexpr const char* kGameD3DKeyPrefix =
    "SOFTWARE\\PowerVR\\KYRO\\Game Settings\\D3D\\";
inline constexpr const char* kLevelOfDetailName = "MIPMapThreshold";

// The graphics core and memory clock in MHz.
inline constexpr const char* kClockKey =
    "SOFTWARE\\PowerVR\\KYRO\\HWSettings\\PMXKERN";
inline constexpr const char* kClockName = "CorePLLFreq2";

}  // namespace driver
