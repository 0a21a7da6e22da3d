// The reference count of a COM object of ours: IUnknown's AddRef and Release
// over one interface, the object deleting itself when the last reference
// goes. A new object starts with the one reference its creator holds.
#pragma once

#include <windows.h>

namespace kv::com {

template <class Interface>
class RefCounted : public Interface {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  RefCounted() = default;
  virtual ~RefCounted() = default;

 private:
  LONG refs_ = 1;
};

}  // namespace kv::com
