// The in-process server's entry points: DllMain, the class factory of
// Connect, DllGetClassObject, DllCanUnloadNow and the per-user registration.
#include "dll/Module.h"

#include <olectl.h>

#include <new>
#include <string>

#include "com/RefCounted.h"
#include "dll/AddinObject.h"
#include "dll/Extensibility.h"

namespace kv::dll {

namespace {

HINSTANCE module = nullptr;
LONG liveObjects = 0;
LONG serverLocks = 0;

class ClassFactory final : public com::RefCounted<IClassFactory> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    AddinObject* object = new (std::nothrow) AddinObject();
    if (!object) return E_OUTOFMEMORY;
    HRESULT hr = object->QueryInterface(riid, out);
    object->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    if (lock)
      InterlockedIncrement(&serverLocks);
    else
      InterlockedDecrement(&serverLocks);
    return S_OK;
  }
  ClassFactory() { ObjectCreated(); }
  ~ClassFactory() override { ObjectDestroyed(); }
};

bool SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool SetDword(HKEY key, const wchar_t* name, DWORD value) {
  return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) == ERROR_SUCCESS;
}

// Creates HKCU\<path> and writes its values.
template <class Write>
bool WriteKey(const std::wstring& path, Write write) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  bool ok = write(key);
  RegCloseKey(key);
  return ok;
}

std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

HINSTANCE ThisModule() { return module; }
void ObjectCreated() { InterlockedIncrement(&liveObjects); }
void ObjectDestroyed() { InterlockedDecrement(&liveObjects); }

}  // namespace kv::dll

using namespace kv::dll;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    module = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, LPVOID* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_Connect)) return CLASS_E_CLASSNOTAVAILABLE;
  ClassFactory* factory = new (std::nothrow) ClassFactory();
  if (!factory) return E_OUTOFMEMORY;
  HRESULT hr = factory->QueryInterface(riid, out);
  factory->Release();
  return hr;
}

STDAPI DllCanUnloadNow() { return liveObjects == 0 && serverLocks == 0 ? S_OK : S_FALSE; }

// Per user: no administrator rights are needed.
STDAPI DllRegisterServer() {
  std::wstring path = ModulePath();
  if (path.empty()) return SELFREG_E_CLASS;
  std::wstring clsid = kClsidKey;
  bool ok =
      WriteKey(clsid, [](HKEY k) { return SetString(k, nullptr, L"Kestrova Connect"); }) &&
      WriteKey(clsid + L"\\InprocServer32",
               [&](HKEY k) { return SetString(k, nullptr, path) && SetString(k, L"ThreadingModel", L"Apartment"); }) &&
      WriteKey(clsid + L"\\ProgID", [](HKEY k) { return SetString(k, nullptr, kProgId); }) &&
      WriteKey(kProgIdKey, [](HKEY k) { return SetString(k, nullptr, L"Kestrova Connect"); }) &&
      WriteKey(std::wstring(kProgIdKey) + L"\\CLSID", [](HKEY k) { return SetString(k, nullptr, kClsidText); }) &&
      WriteKey(kAddinKey, [](HKEY k) {
        return SetString(k, L"FriendlyName", L"Kestrova") && SetString(k, L"Description", L"Kestrova") &&
               SetDword(k, L"LoadBehavior", 1) && SetDword(k, L"CommandLineSafe", 0);
      });
  if (!ok) {
    DllUnregisterServer();
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

// Removes exactly the keys DllRegisterServer writes; a key already gone is
// no failure.
STDAPI DllUnregisterServer() {
  bool ok = true;
  for (const wchar_t* key : {kAddinKey, kProgIdKey, kClsidKey}) {
    LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, key);
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) ok = false;
  }
  return ok ? S_OK : SELFREG_E_CLASS;
}
