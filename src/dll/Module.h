// The DLL's module state: its handle and the count of live COM objects and
// server locks that DllCanUnloadNow reads.
#pragma once

#include <windows.h>

namespace kv::dll {

HINSTANCE ThisModule();
void ObjectCreated();
void ObjectDestroyed();

// The registry keys of the per-user registration.
extern const wchar_t* const kClsidKey;     // Software\Classes\CLSID\{...}
extern const wchar_t* const kProgIdKey;    // Software\Classes\Kestrova.Connect
extern const wchar_t* const kAddinKey;     // Software\Microsoft\Visual Basic\6.0\Addins\Kestrova.Connect

}  // namespace kv::dll
