// The COM class Connect and its _IDTExtensibility2 methods, through the
// vtable and through IDispatch.
#include "dll/AddinObject.h"

#include "dll/AddinState.h"
#include "dll/Module.h"

namespace kv::dll {

namespace {

constexpr const wchar_t* kMethodNames[] = {L"OnConnection", L"OnDisconnection", L"OnAddInsUpdate", L"OnStartupComplete",
                                           L"OnBeginShutdown"};

// An argument converted to a Long; a missing or odd one is 0.
long LongArgument(const VARIANT& v) {
  VARIANT converted;
  VariantInit(&converted);
  if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&v), 0, VT_I4))) return 0;
  return converted.lVal;
}

IDispatch* ObjectArgument(const VARIANT& v) {
  if (v.vt == VT_DISPATCH) return v.pdispVal;
  if (v.vt == (VT_BYREF | VT_DISPATCH) && v.ppdispVal) return *v.ppdispVal;
  return nullptr;
}

}  // namespace

struct AddinObject::Addin : AddinState {};

AddinObject::AddinObject() { ObjectCreated(); }

AddinObject::~AddinObject() {
  addin_.reset();
  ObjectDestroyed();
}

HRESULT AddinObject::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, IID_IDTExtensibility2)) {
    *out = static_cast<IDTExtensibility2*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG AddinObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

ULONG AddinObject::Release() {
  LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT AddinObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  for (DISPID id = kOnConnection; id <= kOnBeginShutdown; ++id) {
    if (lstrcmpiW(names[0], kMethodNames[id - 1]) == 0) ids[0] = id;
  }
  return ids[0] != DISPID_UNKNOWN && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

HRESULT AddinObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                            UINT*) {
  if (!(flags & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
  if (!params || params->cNamedArgs != 0) return DISP_E_BADPARAMCOUNT;
  if (result) VariantInit(result);
  const VARIANT* args = params->rgvarg;  // the last argument first
  UINT n = params->cArgs;
  switch (id) {
    case kOnConnection:
      if (n != 4) return DISP_E_BADPARAMCOUNT;
      return OnConnection(ObjectArgument(args[3]), LongArgument(args[2]), ObjectArgument(args[1]), nullptr);
    case kOnDisconnection:
      if (n != 2) return DISP_E_BADPARAMCOUNT;
      return OnDisconnection(LongArgument(args[1]), nullptr);
    case kOnAddInsUpdate:
    case kOnStartupComplete:
    case kOnBeginShutdown:
      return n == 1 ? S_OK : DISP_E_BADPARAMCOUNT;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

HRESULT AddinObject::OnConnection(IDispatch* Application, long ConnectMode, IDispatch*, SAFEARRAY**) {
  try {
    if (!addin_) addin_ = std::make_unique<Addin>();
    addin_->Connect(Application, ConnectMode);
    return S_OK;
  } catch (...) {
    // The handler reports its own errors; nothing may cross into the IDE.
    return E_FAIL;
  }
}

HRESULT AddinObject::OnDisconnection(long RemoveMode, SAFEARRAY**) {
  try {
    if (addin_) addin_->Disconnect(RemoveMode);
    return S_OK;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT AddinObject::OnAddInsUpdate(SAFEARRAY**) { return S_OK; }
HRESULT AddinObject::OnStartupComplete(SAFEARRAY**) { return S_OK; }
HRESULT AddinObject::OnBeginShutdown(SAFEARRAY**) { return S_OK; }

}  // namespace kv::dll
