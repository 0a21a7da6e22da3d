// The IDE's add-in interface and the identity of our add-in class.
//
// The IDE creates the class registered as "Kestrova.Connect" and calls the
// connection events through _IDTExtensibility2, a dual interface: the five
// methods follow IDispatch's in the vtable, and through IDispatch they are
// DISPIDs 1 to 5.
#pragma once

#include <windows.h>
// After windows.h, which it builds on.
#include <oaidl.h>

namespace kv::dll {

// {B65AD801-ABAF-11D0-BB8B-00A0C90F2744}
inline constexpr IID IID_IDTExtensibility2 = {
    0xB65AD801, 0xABAF, 0x11D0, {0xBB, 0x8B, 0x00, 0xA0, 0xC9, 0x0F, 0x27, 0x44}};
// The class of our add-in: {AE536B22-E2B7-44E7-9ACB-A32D673A921F}.
inline constexpr CLSID CLSID_Connect = {0xAE536B22, 0xE2B7, 0x44E7, {0x9A, 0xCB, 0xA3, 0x2D, 0x67, 0x3A, 0x92, 0x1F}};
inline constexpr const wchar_t* kClsidText = L"{AE536B22-E2B7-44E7-9ACB-A32D673A921F}";
inline constexpr const wchar_t* kProgId = L"Kestrova.Connect";

// The keys of the per-user registration, below HKEY_CURRENT_USER.
inline constexpr const wchar_t* kClsidKey = L"Software\\Classes\\CLSID\\{AE536B22-E2B7-44E7-9ACB-A32D673A921F}";
inline constexpr const wchar_t* kProgIdKey = L"Software\\Classes\\Kestrova.Connect";
inline constexpr const wchar_t* kAddinKey = L"Software\\Microsoft\\Visual Basic\\6.0\\Addins\\Kestrova.Connect";

enum ExtensibilityDispId : DISPID {
  kOnConnection = 1,
  kOnDisconnection = 2,
  kOnAddInsUpdate = 3,
  kOnStartupComplete = 4,
  kOnBeginShutdown = 5,
};

class IDTExtensibility2 : public IDispatch {
 public:
  virtual HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* Application, long ConnectMode, IDispatch* AddInInst,
                                                 SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnDisconnection(long RemoveMode, SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) = 0;
  virtual HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) = 0;
};

}  // namespace kv::dll
