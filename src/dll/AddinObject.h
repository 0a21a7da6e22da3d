// The COM class Connect: the object the IDE's add-in manager creates. It
// implements _IDTExtensibility2 (dual) and runs the add-in's own connection
// and disconnection handlers against the IDE reached over COM, on the Win32
// platform, with the user's settings store.
//
// The add-in's state lives as long as this object: releasing it disconnects
// every click sink and destroys the hot-key window, so that nothing can call
// into the DLL after DllCanUnloadNow says yes.
#pragma once

#include <memory>

#include "com/NoTypeInfo.h"
#include "dll/Extensibility.h"

namespace kv::dll {

class AddinObject final : public com::NoTypeInfo<IDTExtensibility2> {
 public:
  AddinObject();
  ~AddinObject();

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* info, UINT* argError) override;

  HRESULT STDMETHODCALLTYPE OnConnection(IDispatch* Application, long ConnectMode, IDispatch* AddInInst,
                                         SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnDisconnection(long RemoveMode, SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnAddInsUpdate(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnStartupComplete(SAFEARRAY** custom) override;
  HRESULT STDMETHODCALLTYPE OnBeginShutdown(SAFEARRAY** custom) override;

 private:
  struct Addin;
  LONG refs_ = 1;
  std::unique_ptr<Addin> addin_;
};

}  // namespace kv::dll
