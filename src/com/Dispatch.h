// Late binding over IDispatch, the way VB calls an object typed As Object:
// members are found by name, arguments travel as VARIANTs, and a refusal
// comes back as the typed VbError that the in-memory IDE raises too.
//
// Names are resolved with GetIDsOfNames once per object type (the GUID of the
// type information the object gives, or the object itself when it gives
// none) and member name; the cache is shared by every object of one IDE.
#pragma once

#include <windows.h>
// After windows.h, which it builds on.
#include <oaidl.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/VbError.h"
#include "support/text/VbText.h"

namespace kv::com {

// An owned COM interface pointer.
template <class T>
class Ref {
 public:
  Ref() = default;
  // Takes a reference the caller already owns.
  static Ref Adopt(T* p) {
    Ref r;
    r.p_ = p;
    return r;
  }
  // Adds a reference of its own.
  static Ref Share(T* p) {
    if (p) p->AddRef();
    return Adopt(p);
  }
  Ref(const Ref& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  Ref(Ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  Ref& operator=(Ref other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~Ref() {
    if (p_) p_->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** put() {
    *this = Ref();
    return &p_;
  }

 private:
  T* p_ = nullptr;
};

// A VARIANT that clears itself.
class Variant {
 public:
  Variant() { VariantInit(&v_); }
  Variant(const Variant& other) : Variant() { VariantCopy(&v_, const_cast<VARIANT*>(&other.v_)); }
  Variant& operator=(const Variant& other) {
    if (this != &other) VariantCopy(&v_, const_cast<VARIANT*>(&other.v_));
    return *this;
  }
  ~Variant() { VariantClear(&v_); }

  static Variant Long(std::int32_t value);
  static Variant Bool(bool value);
  static Variant String(VbStringView value);
  static Variant Object(IDispatch* value);  // shares a reference
  // An optional argument left out.
  static Variant Missing();
  // A copy of `v`; a ByRef value is copied as the value it points at.
  static Variant Copy(const VARIANT& v);
  bool IsMissing() const { return v_.vt == VT_ERROR && v_.scode == DISP_E_PARAMNOTFOUND; }

  VARIANT* get() { return &v_; }
  const VARIANT& raw() const { return v_; }

  // Conversions as VB's would make them; a value that does not convert
  // raises type mismatch.
  std::int32_t ToLong() const;
  bool ToBool() const;
  VbString ToString() const;
  // Nothing gives an empty Ref.
  Ref<IDispatch> ToObject() const;

 private:
  VARIANT v_;
};

VbString FromBstr(BSTR text);
// The object's identity: its IUnknown.
Ref<IUnknown> Identity(IUnknown* object);
bool SameObject(IUnknown* a, IUnknown* b);

// The VbError of a failed call of `member`: DISP_E_EXCEPTION carries its
// number and description in `info`; a VB error number travels in an HRESULT
// of FACILITY_CONTROL; the common HRESULTs become VB's own errors.
[[noreturn]] void RaiseFailure(HRESULT hr, EXCEPINFO* info, VbStringView member);
// The other way: the EXCEPINFO of a VbError, for a COM object that reports
// it to its caller; returns DISP_E_EXCEPTION.
HRESULT ReportError(const VbError& error, EXCEPINFO* info);

class NameCache {
 public:
  // The DISPID of `name` on `object`; raises error 438 naming the member
  // when the object has none.
  DISPID Find(IDispatch* object, VbStringView name);

 private:
  std::map<std::pair<std::wstring, std::wstring>, DISPID> ids_;
};

// One object reached by late binding.
class LateBound {
 public:
  LateBound(std::shared_ptr<NameCache> names, Ref<IDispatch> object)
      : names_(std::move(names)), object_(std::move(object)) {}

  IDispatch* get() const { return object_.get(); }
  const std::shared_ptr<NameCache>& Names() const { return names_; }

  // A property read (with arguments: an indexed one).
  Variant Get(VbStringView name, std::vector<Variant> args = {}) const;
  void Put(VbStringView name, Variant value) const;
  // A method call; optional arguments left out are Variant::Missing().
  Variant Call(VbStringView name, std::vector<Variant> args = {}) const;
  // Call with ByRef arguments: `args` (scalars) are passed by reference and
  // receive what the method wrote.
  Variant CallByRef(VbStringView name, std::vector<Variant>& args) const;

  // An object-valued property or method result; raises error 91 for Nothing.
  LateBound Object(VbStringView name, std::vector<Variant> args = {}) const;
  // The same, but Nothing is an empty result.
  std::optional<LateBound> ObjectOrNothing(VbStringView name, std::vector<Variant> args = {}) const;

 private:
  Variant Invoke(VbStringView name, WORD flags, std::vector<Variant>& args, bool byRef) const;

  std::shared_ptr<NameCache> names_;
  Ref<IDispatch> object_;
};

}  // namespace kv::com
