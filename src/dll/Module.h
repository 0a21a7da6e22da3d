// The DLL's module state: its handle and the count of live COM objects and
// server locks that DllCanUnloadNow reads.
#pragma once

#include <windows.h>

namespace kv::dll {

HINSTANCE ThisModule();
void ObjectCreated();
void ObjectDestroyed();

}  // namespace kv::dll
