#pragma once

#if defined(_WIN32)
#include <windows.h>
#endif

namespace tessaro::testing {

// True for a Windows test program that Wine runs: Wine's ntdll names its
// version, Windows' own does not.
inline bool UnderWine() {
#if defined(_WIN32)
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
  return false;
#endif
}

}  // namespace tessaro::testing
