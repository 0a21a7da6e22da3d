// IDispatch's type-information half for our objects, which have no type
// library: callers find members by name through GetIDsOfNames instead.
#pragma once

#include <oaidl.h>

namespace kv::com {

template <class Interface>
class NoTypeInfo : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;  // there is no type information 0
  }
};

}  // namespace kv::com
