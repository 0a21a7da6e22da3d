// Late binding over IDispatch and the translation of COM failures into the
// VB errors the add-in expects.
#ifdef _WIN32
#include "com/Dispatch.h"

#include <algorithm>

namespace kv::com {

namespace {

BSTR ToBstr(VbStringView text) {
  return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

std::wstring WideOf(VbStringView text) { return std::wstring(text.begin(), text.end()); }

std::wstring Lower(VbStringView text) {
  std::wstring lower = WideOf(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; });
  return lower;
}

// The type an object says it has, as text; the object's own address when it
// names none, so that its names are cached for it alone.
std::wstring TypeKey(IDispatch* object) {
  Ref<ITypeInfo> info;
  UINT count = 0;
  if (SUCCEEDED(object->GetTypeInfoCount(&count)) && count > 0 &&
      SUCCEEDED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put())) && info) {
    TYPEATTR* attr = nullptr;
    if (SUCCEEDED(info->GetTypeAttr(&attr)) && attr) {
      wchar_t text[64] = {};
      StringFromGUID2(attr->guid, text, 64);
      info->ReleaseTypeAttr(attr);
      if (text[0]) return text;
    }
  }
  Ref<IUnknown> identity = Identity(object);
  return L"@" + std::to_wstring(reinterpret_cast<std::uintptr_t>(identity.get()));
}

[[noreturn]] void TypeMismatch() { Raise(vberr::kTypeMismatch, u"Type mismatch"); }

}  // namespace

Variant Variant::Long(std::int32_t value) {
  Variant v;
  v.v_.vt = VT_I4;
  v.v_.lVal = value;
  return v;
}

Variant Variant::Bool(bool value) {
  Variant v;
  v.v_.vt = VT_BOOL;
  v.v_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

Variant Variant::String(VbStringView value) {
  Variant v;
  v.v_.vt = VT_BSTR;
  v.v_.bstrVal = ToBstr(value);
  return v;
}

Variant Variant::Object(IDispatch* value) {
  Variant v;
  v.v_.vt = VT_DISPATCH;
  v.v_.pdispVal = value;
  if (value) value->AddRef();
  return v;
}

Variant Variant::Missing() {
  Variant v;
  v.v_.vt = VT_ERROR;
  v.v_.scode = DISP_E_PARAMNOTFOUND;
  return v;
}

Variant Variant::Copy(const VARIANT& value) {
  Variant v;
  if (FAILED(VariantCopyInd(&v.v_, const_cast<VARIANT*>(&value)))) TypeMismatch();
  return v;
}

std::int32_t Variant::ToLong() const {
  VARIANT converted;
  VariantInit(&converted);
  HRESULT hr = VariantChangeType(&converted, const_cast<VARIANT*>(&v_), 0, VT_I4);
  if (hr == DISP_E_OVERFLOW) Raise(vberr::kOverflow, u"Overflow");
  if (FAILED(hr)) TypeMismatch();
  return converted.lVal;
}

bool Variant::ToBool() const {
  VARIANT converted;
  VariantInit(&converted);
  if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&v_), 0, VT_BOOL))) TypeMismatch();
  return converted.boolVal != VARIANT_FALSE;
}

VbString Variant::ToString() const {
  VARIANT converted;
  VariantInit(&converted);
  if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&v_), 0, VT_BSTR))) TypeMismatch();
  VbString text = FromBstr(converted.bstrVal);
  VariantClear(&converted);
  return text;
}

Ref<IDispatch> Variant::ToObject() const {
  const VARIANT& v = (v_.vt == (VT_BYREF | VT_VARIANT) && v_.pvarVal) ? *v_.pvarVal : v_;
  if (v.vt == VT_DISPATCH) return Ref<IDispatch>::Share(v.pdispVal);
  if (v.vt == VT_UNKNOWN) {
    Ref<IDispatch> object;
    if (v.punkVal && FAILED(v.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(object.put()))))
      TypeMismatch();
    return object;
  }
  if (v.vt == VT_EMPTY || v.vt == VT_NULL) return {};
  TypeMismatch();
}

VbString FromBstr(BSTR text) {
  if (!text) return {};
  return VbString(reinterpret_cast<const char16_t*>(text), SysStringLen(text));
}

Ref<IUnknown> Identity(IUnknown* object) {
  Ref<IUnknown> identity;
  if (object) object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(identity.put()));
  return identity;
}

bool SameObject(IUnknown* a, IUnknown* b) {
  if (!a || !b) return a == b;
  return Identity(a).get() == Identity(b).get();
}

void RaiseFailure(HRESULT hr, EXCEPINFO* info, VbStringView member) {
  if (hr == DISP_E_EXCEPTION && info) {
    if (info->pfnDeferredFillIn) info->pfnDeferredFillIn(info);
    VbString description = FromBstr(info->bstrDescription);
    HRESULT code = info->scode;
    std::int32_t number = info->wCode != 0                             ? info->wCode
                          : HRESULT_FACILITY(code) == FACILITY_CONTROL ? HRESULT_CODE(code)
                                                                       : static_cast<std::int32_t>(code);
    SysFreeString(info->bstrSource);
    SysFreeString(info->bstrDescription);
    SysFreeString(info->bstrHelpFile);
    if (description.empty()) description = u"Method '" + VbString(member) + u"' failed";
    Raise(number, std::move(description));
  }
  switch (hr) {
    case DISP_E_MEMBERNOTFOUND:
    case DISP_E_UNKNOWNNAME:
      Raise(vberr::kObjectDoesNotSupport, u"Object doesn't support this property or method: " + VbString(member));
    case DISP_E_TYPEMISMATCH:
      TypeMismatch();
    case DISP_E_OVERFLOW:
      Raise(vberr::kOverflow, u"Overflow");
    case DISP_E_BADINDEX:
      Raise(vberr::kSubscriptOutOfRange, u"Subscript out of range");
    case DISP_E_BADPARAMCOUNT:
    case DISP_E_PARAMNOTOPTIONAL:
    case DISP_E_PARAMNOTFOUND:
      Raise(450, u"Wrong number of arguments or invalid property assignment: " + VbString(member));
    case E_INVALIDARG:
      Raise(vberr::kInvalidProcedureCall, u"Invalid procedure call or argument");
    case RPC_E_DISCONNECTED:
      Raise(static_cast<std::int32_t>(hr), u"Automation error: The object invoked has disconnected from its clients.");
    default:
      break;
  }
  if (HRESULT_FACILITY(hr) == FACILITY_CONTROL) {
    Raise(HRESULT_CODE(hr), u"Method '" + VbString(member) + u"' failed");
  }
  Raise(static_cast<std::int32_t>(hr), u"Method '" + VbString(member) + u"' failed");
}

HRESULT ReportError(const VbError& error, EXCEPINFO* info) {
  if (!info) return DISP_E_EXCEPTION;
  *info = EXCEPINFO{};
  std::int32_t number = error.Number();
  if (number > 0 && number <= 0xFFFF) {
    info->wCode = static_cast<WORD>(number);
  } else {
    info->scode = number;
  }
  info->bstrDescription = ToBstr(error.Description());
  info->bstrSource = SysAllocString(L"Kestrova");
  return DISP_E_EXCEPTION;
}

DISPID NameCache::Find(IDispatch* object, VbStringView name) {
  auto key = std::make_pair(TypeKey(object), Lower(name));
  if (auto it = ids_.find(key); it != ids_.end()) return it->second;
  std::wstring wide = WideOf(name);
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) RaiseFailure(DISP_E_UNKNOWNNAME, nullptr, name);
  ids_.emplace(std::move(key), id);
  return id;
}

Variant LateBound::Invoke(VbStringView name, WORD flags, std::vector<Variant>& args, bool byRef) const {
  if (!object_) Raise(vberr::kObjectVariableNotSet, u"Object variable or With block variable not set");
  DISPID id = names_->Find(object_.get(), name);
  // DISPPARAMS holds the arguments last first; ByRef ones point at ours.
  std::vector<VARIANT> slots(args.size());
  for (std::size_t i = 0; i < args.size(); ++i) {
    VARIANT& slot = slots[args.size() - 1 - i];
    if (byRef) {
      // A pointer to the value itself, typed as the value (VT_BYREF|VT_I4 for
      // a Long), as VB passes a variable.
      VariantInit(&slot);
      slot.vt = static_cast<VARTYPE>(VT_BYREF | args[i].raw().vt);
      slot.byref = &args[i].get()->lVal;
    } else {
      slot = args[i].raw();  // a shallow copy: `args` keeps ownership
    }
  }
  DISPPARAMS params{slots.data(), nullptr, static_cast<UINT>(slots.size()), 0};
  DISPID put = DISPID_PROPERTYPUT;
  if (flags == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  Variant result;
  EXCEPINFO info{};
  UINT badArg = 0;
  HRESULT hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                               flags == DISPATCH_PROPERTYPUT ? nullptr : result.get(), &info, &badArg);
  if (FAILED(hr)) RaiseFailure(hr, &info, name);
  return result;
}

Variant LateBound::Get(VbStringView name, std::vector<Variant> args) const {
  return Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args, false);
}

void LateBound::Put(VbStringView name, Variant value) const {
  std::vector<Variant> args{std::move(value)};
  Invoke(name, DISPATCH_PROPERTYPUT, args, false);
}

Variant LateBound::Call(VbStringView name, std::vector<Variant> args) const {
  return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, false);
}

Variant LateBound::CallByRef(VbStringView name, std::vector<Variant>& args) const {
  // ProcOfLine is a property with a ByRef argument, GetSelection a method.
  return Invoke(name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, args, true);
}

LateBound LateBound::Object(VbStringView name, std::vector<Variant> args) const {
  std::optional<LateBound> object = ObjectOrNothing(name, std::move(args));
  if (!object) Raise(vberr::kObjectVariableNotSet, u"Object variable or With block variable not set");
  return *std::move(object);
}

std::optional<LateBound> LateBound::ObjectOrNothing(VbStringView name, std::vector<Variant> args) const {
  Ref<IDispatch> object = Get(name, std::move(args)).ToObject();
  if (!object) return std::nullopt;
  return LateBound(names_, std::move(object));
}

}  // namespace kv::com
#endif  // _WIN32
