// kestrova-testhost: plays the IDE over COM for kestrova.dll, the way the
// IDE's add-in manager drives it: registration as regsvr32 does it, creation
// by ProgID, connection through the vtable and through IDispatch, the menus
// in both languages, clicks through the click sinks, hot keys through the
// real hot-key window, message boxes caught by a CBT hook, disconnection,
// release and unregistration. Prints "N passed, M failed".
//
//   kestrova-testhost PATH-OF-kestrova.dll
#include <windows.h>
// After windows.h, which it builds on.
#include <ole2.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "TestIdes.h"
#include "com/Dispatch.h"
#include "dll/Extensibility.h"
#include "winui/WinUi.h"

namespace {

using kv::testhost::TestIdes;
namespace fs = std::filesystem;

int passed = 0, failed = 0;

void Check(bool ok, const std::string& what) {
  ++(ok ? passed : failed);
  if (!ok) std::fprintf(stderr, "FAILED: %s\n", what.c_str());
}
void Same(const std::string& difference, const std::string& what) {
  Check(difference.empty(), what + (difference.empty() ? "" : "\n" + difference));
}

// Message boxes: the CBT hook reads the text of each one and closes it.
HHOOK hook;
std::wstring lastBox, lastTitle;
LRESULT CALLBACK CatchBoxes(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(wParam);
    wchar_t name[16] = {}, text[1024] = {};
    GetClassNameW(box, name, 16);
    if (lstrcmpW(name, L"#32770") == 0) {
      GetDlgItemTextW(box, 0xFFFF, text, 1024);
      lastBox = text;
      GetWindowTextW(box, text, 1024);
      lastTitle = text;
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
  }
  return CallNextHookEx(hook, code, wParam, lParam);
}

std::string Utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), n, nullptr, nullptr);
  return utf8;
}

// Whether the window runs its class's own procedure.
bool OwnProcedure(HWND window) {
  return static_cast<ULONG_PTR>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == GetClassLongPtrW(window, GCLP_WNDPROC);
}

std::wstring ReadString(const std::wstring& key, const wchar_t* name) {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return L"<none>";
  return value;
}
DWORD ReadDword(const std::wstring& key, const wchar_t* name) {
  DWORD value = 0xFFFFFFFF, size = sizeof value;
  RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size);
  return value;
}
bool KeyExists(HKEY root, const std::wstring& key) {
  HKEY k;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  RegCloseKey(k);
  return true;
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// A crash ends the run with its address instead of waiting for a debugger.
LONG WINAPI ReportCrash(EXCEPTION_POINTERS* e) {
  void* caller = *reinterpret_cast<void**>(e->ContextRecord->Rsp);
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(caller), &module);
  wchar_t name[MAX_PATH] = {};
  GetModuleFileNameW(module, name, MAX_PATH);
  std::fprintf(stderr, "crash: exception %08lx at %p, called from %ls+%llx\n", e->ExceptionRecord->ExceptionCode,
               e->ExceptionRecord->ExceptionAddress, name,
               static_cast<unsigned long long>(reinterpret_cast<char*>(caller) - reinterpret_cast<char*>(module)));
  std::printf("%d passed, %d failed\n", passed, failed + 1);
  std::fflush(nullptr);
  ExitProcess(3);
}

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteSettings(const fs::path& file, int language) {
  std::ofstream(file, std::ios::binary) << "[Kestrovaer]\nLanguage=" << language
                                        << "\nchkIndentModHotKey=Y\nchkFold=Y\n";
}

HRESULT InvokeByName(IDispatch* object, const wchar_t* name, VARIANT* args, UINT count) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return DISP_E_UNKNOWNNAME;
  DISPPARAMS params{args, nullptr, count, 0};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
}

// The commands clicked in both IDEs, with the lines selected first.
struct Step {
  int command, startLine, endLine;
};
constexpr Step kSteps[] = {{15, 3, 3}, {14, 11, 11}, {16, 3, 3}, {7, 3, 4},  {8, 3, 4},  {3, 1, 1},
                           {21, 1, 1}, {22, 1, 1},   {23, 1, 1}, {24, 1, 1}, {20, 1, 1}, {5, 2, 2},
                           {6, 2, 2},  {25, 4, 4},   {27, 1, 1}, {25, 4, 4}, {26, 1, 1}, {15, 2, 2}};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: kestrova-testhost PATH-OF-kestrova.dll\n");
    return 2;
  }
  std::wstring dllPath = argv[1];
  if (!dllPath.empty() && dllPath[0] == L'/') dllPath = L"Z:" + dllPath;  // a Unix path under Wine
  for (wchar_t& c : dllPath) c = c == L'/' ? L'\\' : c;
  SetUnhandledExceptionFilter(ReportCrash);
  const bool underWine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  const fs::path source = KV_SOURCE_DIR;

  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  fs::path folder = fs::path(temp) / ("kestrova-testhost-" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(folder);
  fs::path settings = folder / "settings.ini";
  WriteSettings(settings, 0);
  _wputenv_s(L"KESTROVA_SETTINGS", settings.wstring().c_str());

  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  hook = SetWindowsHookExW(WH_CBT, CatchBoxes, nullptr, GetCurrentThreadId());
  // Another add-in's entry, which must survive our registration.
  const std::wstring addins = L"Software\\Microsoft\\Visual Basic\\6.0\\Addins";
  HKEY other;
  RegCreateKeyExW(HKEY_CURRENT_USER, (addins + L"\\Other.Connect").c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &other,
                  nullptr);
  RegCloseKey(other);

  // 1. Registration, as regsvr32 does it.
  HMODULE dll = LoadLibraryW(dllPath.c_str());
  Check(dll != nullptr, "the DLL loads");
  if (!dll) return std::printf("%d passed, %d failed\n", passed, failed), 1;
  auto entry = [&](const char* name) {
    return reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(GetProcAddress(dll, name)));
  };
  Check(entry("DllRegisterServer")() == S_OK, "DllRegisterServer");
  const std::wstring clsidKey = kv::dll::kClsidKey, progIdKey = kv::dll::kProgIdKey, addinKey = kv::dll::kAddinKey;
  wchar_t modulePath[MAX_PATH];
  GetModuleFileNameW(dll, modulePath, MAX_PATH);
  Check(ReadString(clsidKey + L"\\InprocServer32", nullptr) == modulePath, "InprocServer32 names the DLL");
  Check(ReadString(clsidKey + L"\\InprocServer32", L"ThreadingModel") == L"Apartment", "ThreadingModel");
  Check(ReadString(progIdKey + L"\\CLSID", nullptr) == kv::dll::kClsidText, "the ProgID's CLSID");
  Check(ReadString(addinKey, L"FriendlyName") == L"Kestrova" && ReadString(addinKey, L"Description") == L"Kestrova",
        "the add-in's names");
  Check(ReadDword(addinKey, L"LoadBehavior") == 1 && ReadDword(addinKey, L"CommandLineSafe") == 0,
        "LoadBehavior 1, CommandLineSafe 0");
  // Wine does not merge the user's classes into the class root.
  if (underWine) {
    for (const std::wstring& key : {clsidKey, progIdKey}) {
      HKEY target;
      RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &target, nullptr);
      RegCopyTreeW(HKEY_CURRENT_USER, key.c_str(), target);
      RegCloseKey(target);
    }
  }

  // 2. Creation by ProgID, the interfaces, DISPIDs 1 to 5.
  CLSID clsid{};
  Check(SUCCEEDED(CLSIDFromProgID(kv::dll::kProgId, &clsid)) && IsEqualCLSID(clsid, kv::dll::CLSID_Connect),
        "the ProgID names our class");
  kv::dll::IDTExtensibility2* addin = nullptr;
  HRESULT created = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, kv::dll::IID_IDTExtensibility2,
                                     reinterpret_cast<void**>(&addin));
  Check(SUCCEEDED(created) && addin, "CoCreateInstance(Kestrova.Connect)");
  if (!addin) return std::printf("%d passed, %d failed\n", passed, failed), 1;
  IUnknown* unknown = nullptr;
  IClassFactory* wrong = nullptr;
  Check(addin->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)) == S_OK &&
            addin->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&wrong)) == E_NOINTERFACE,
        "QueryInterface");
  if (unknown) unknown->Release();
  Check(addin->AddRef() == 2 && addin->Release() == 1, "exact reference counts");
  const wchar_t* methods[] = {L"OnConnection", L"OnDisconnection", L"OnAddInsUpdate", L"OnStartupComplete",
                              L"OnBeginShutdown"};
  for (DISPID expected = 1; expected <= 5; ++expected) {
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(methods[expected - 1])};
    addin->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    Check(id == expected, "DISPID of " + Utf8(methods[expected - 1]));
  }

  // 3. Connection (twice, without a disconnection between) and the menus.
  TestIdes english(settings, false);
  Check(addin->OnConnection(english.Application(), 0, nullptr, nullptr) == S_OK, "OnConnection");
  Check(addin->OnConnection(english.Application(), 0, nullptr, nullptr) == S_OK, "a second OnConnection");
  Check(english.Listing() == ReadFile(source / "tests/cli/golden/menus-english.txt"),
        "the English menus as kestrova menus lists them:\n" + english.Listing());
  wchar_t entry0[8] = {};
  GetPrivateProfileStringW(L"Add-Ins32", L"Kestrova", L"", entry0, 8, L"vbaddin.ini");
  Check(std::wstring(entry0) == L"0", "vbaddin.ini lists the add-in");

  // Late binding: a missing member and a refusal of the IDE become VbErrors.
  auto errorOf = [](auto call) -> std::pair<std::int32_t, std::string> {
    try {
      call();
    } catch (const kv::VbError& e) {
      return {e.Number(), e.what()};
    }
    return {0, ""};
  };
  kv::com::LateBound root(std::make_shared<kv::com::NameCache>(),
                          kv::com::Ref<IDispatch>::Share(english.Application()));
  auto missing = errorOf([&] { root.Get(u"MainWindow"); });
  Check(missing.first == 438 && missing.second.find("MainWindow") != std::string::npos,
        "a missing member: " + missing.second);
  auto refused = errorOf([&] {
    root.Object(u"ActiveCodePane")
        .Object(u"CodeModule")
        .Call(u"ReplaceLine", {kv::com::Variant::Long(0), kv::com::Variant::String(u"x")});
  });
  Check(refused.first == 5 && refused.second == "Invalid procedure call or argument", "a refusal: " + refused.second);

  // 4. Clicks through the sinks, each against the reference IDE.
  for (const Step& step : kSteps) {
    english.Select(step.startLine, step.endLine);
    std::string before = english.Text();
    Same(english.Click(step.command), "command " + std::to_string(step.command));
    if (step.command != 14 && step.command != 26) {
      Check(english.Text() != before, "command " + std::to_string(step.command) + " changed the module");
    }
  }

  // 5. Hot keys through the real window: Ctrl+M indents the module, Ctrl+numpad minus folds.
  HWND window = FindWindowW(L"Kestrova.frmHotKey", nullptr);
  Check(window != nullptr, "the hot-key window exists");
  Check(!RegisterHotKey(nullptr, 0x7001, MOD_CONTROL, 'M'), "Ctrl+M is held by the add-in");
  Check(!OwnProcedure(window), "the window is subclassed");
  struct HotKeyStep {
    int id;
    UINT modifiers, vk;
  };
  for (HotKeyStep key : {HotKeyStep{3, MOD_CONTROL, 'M'}, HotKeyStep{5, MOD_CONTROL, VK_SUBTRACT}}) {
    english.Select(4, 4);
    PostMessageW(window, WM_HOTKEY, static_cast<WPARAM>(key.id), MAKELPARAM(key.modifiers, key.vk));
    PumpMessages();
    Check(english.PressInReference(key.modifiers, key.vk), "the reference takes hot key " + std::to_string(key.id));
    Same(english.Compare(), "hot key " + std::to_string(key.id));
  }

  // 6. Message boxes: a refused command, and the options command.
  english.ShowCodePane(false);
  lastBox.clear();
  Same(english.Click(15), "command 15 without a code window");
  Check(!lastBox.empty() && Utf8(lastBox) == english.LastReferenceMessage(),
        "the refusal's box: " + Utf8(lastBox) + " / " + english.LastReferenceMessage());
  Check(lastTitle == L"Kestrovaer", "the box's title: " + Utf8(lastTitle));
  english.ShowCodePane(true);
  Same(english.Click(19), "Set Up");
  HWND options = FindWindowW(kv::winui::kOptionsClass, nullptr);
  Check(options != nullptr, "Set Up opens the options window");
  SendMessageW(options, WM_COMMAND, IDCANCEL, 0);
  PumpMessages();
  Check(!IsWindow(options) || !IsWindowVisible(options), "Cancel closes it");

  // 7. Disconnection through IDispatch: no control, no hot key, the window's own procedure.
  VARIANT args[2];
  VariantInit(&args[0]);
  VariantInit(&args[1]);
  args[1].vt = VT_I4;  // RemoveMode; args[0] stays empty: custom()
  Check(InvokeByName(addin, L"OnDisconnection", args, 2) == S_OK, "OnDisconnection");
  Check(english.OurControls() == 0, "no control is left");
  Check(RegisterHotKey(nullptr, 0x7001, MOD_CONTROL, 'M') && UnregisterHotKey(nullptr, 0x7001), "Ctrl+M is free");
  Check(OwnProcedure(window), "the window has its own procedure back");

  // The Chinese menus: connection through IDispatch into a Chinese IDE.
  WriteSettings(settings, 1);
  TestIdes chinese(settings, true);
  VARIANT connectArgs[4];
  for (VARIANT& v : connectArgs) VariantInit(&v);
  connectArgs[3].vt = VT_DISPATCH;
  connectArgs[3].pdispVal = chinese.Application();
  connectArgs[2].vt = VT_I4;
  Check(InvokeByName(addin, L"OnConnection", connectArgs, 4) == S_OK, "OnConnection through IDispatch");
  Check(chinese.Listing() == ReadFile(source / "tests/cli/golden/menus-chinese.txt"),
        "the Chinese menus:\n" + chinese.Listing());
  chinese.Select(3, 3);
  Same(chinese.Click(15), "command 15 in the Chinese IDE");
  Same(chinese.Click(17), "Exit, which disconnects the sinks from inside a click");
  Check(chinese.OurControls() == 0 && RegisterHotKey(nullptr, 0x7001, MOD_CONTROL, 'M') &&
            UnregisterHotKey(nullptr, 0x7001),
        "Exit removed the menus and released the hot keys");
  Check(addin->OnDisconnection(0, nullptr) == S_OK && chinese.OurControls() == 0, "the second disconnection");

  // 8. Release, unload and unregistration.
  Check(entry("DllCanUnloadNow")() == S_FALSE, "no unloading while the add-in lives");
  addin->Release();
  Check(FindWindowW(L"Kestrova.frmHotKey", nullptr) == nullptr, "the hot-key window is gone with the add-in");
  Check(entry("DllCanUnloadNow")() == S_OK, "DllCanUnloadNow once the add-in is released");
  Check(entry("DllUnregisterServer")() == S_OK, "DllUnregisterServer");
  Check(!KeyExists(HKEY_CURRENT_USER, clsidKey) && !KeyExists(HKEY_CURRENT_USER, progIdKey) &&
            !KeyExists(HKEY_CURRENT_USER, addinKey),
        "the registration is gone");
  Check(KeyExists(HKEY_CURRENT_USER, addins + L"\\Other.Connect"), "another add-in's entry stays");
  if (underWine) {
    for (const std::wstring& key : {clsidKey, progIdKey}) RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, (addins + L"\\Other.Connect").c_str());
  UnhookWindowsHookEx(hook);
  CoUninitialize();
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
