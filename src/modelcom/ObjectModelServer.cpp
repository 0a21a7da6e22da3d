// The object model served over IDispatch: one small COM class per kind of
// object, each a table of member names and one function that answers them.
#ifdef _WIN32
#include "modelcom/ObjectModelServer.h"

#include <ocidl.h>
#include <olectl.h>

#include <map>
#include <string>
#include <typeinfo>
#include <vector>

#include "com/Dispatch.h"
#include "com/NoTypeInfo.h"
#include "com/RefCounted.h"

namespace kv::modelcom {

using com::Ref;
using com::Variant;

namespace {

// {5A0C7C1E-3B9D-4E55-8F0B-6E2A1D4C7B90}: the click events' interface.
constexpr IID kEventsIid = {0x5A0C7C1E, 0x3B9D, 0x4E55, {0x8F, 0x0B, 0x6E, 0x2A, 0x1D, 0x4C, 0x7B, 0x90}};

bool SameName(std::wstring_view a, std::wstring_view b) {
  return a.size() == b.size() && CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                                      static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

[[noreturn]] void NotSupported(std::wstring_view name) {
  Raise(vberr::kObjectDoesNotSupport,
        u"Object doesn't support this property or method: " + VbString(name.begin(), name.end()));
}

// The arguments of one call, in the order they are written.
class Args {
 public:
  Args(DISPPARAMS* params, WORD flags)
      : p_(params), put_((flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {}
  bool IsPut() const { return put_; }
  std::size_t Count() const { return p_ ? p_->cArgs - (put_ ? 1 : 0) : 0; }
  VARIANT& At(std::size_t i) const {
    if (i >= Count()) Raise(450, u"Wrong number of arguments or invalid property assignment");
    return p_->rgvarg[p_->cArgs - 1 - i];
  }
  bool Has(std::size_t i) const { return i < Count() && !Variant::Copy(At(i)).IsMissing(); }
  std::int32_t Long(std::size_t i) const { return Variant::Copy(At(i)).ToLong(); }
  bool Bool(std::size_t i) const { return Variant::Copy(At(i)).ToBool(); }
  VbString Text(std::size_t i) const { return Variant::Copy(At(i)).ToString(); }
  bool IsText(std::size_t i) const { return Variant::Copy(At(i)).raw().vt == VT_BSTR; }
  Ref<IDispatch> Object(std::size_t i) const { return Variant::Copy(At(i)).ToObject(); }
  // The value a property write assigns.
  Variant Value() const {
    if (!put_ || !p_ || p_->cArgs == 0) Raise(450, u"Wrong number of arguments or invalid property assignment");
    return Variant::Copy(p_->rgvarg[0]);
  }
  // Writes a Long through a ByRef argument.
  void SetLong(std::size_t i, std::int32_t value) const {
    VARIANT& v = At(i);
    if (v.vt == (VT_BYREF | VT_I4))
      *v.plVal = value;
    else if (v.vt == (VT_BYREF | VT_VARIANT)) {
      VariantClear(v.pvarVal);
      v.pvarVal->vt = VT_I4;
      v.pvarVal->lVal = value;
    } else
      Raise(vberr::kTypeMismatch, u"ByRef argument type mismatch");
  }

 private:
  DISPPARAMS* p_;
  bool put_;
};

class Object;

}  // namespace

struct ObjectModelServer::Objects {
  explicit Objects(model::ModelVBE& v) : vbe(v) {}
  model::ModelVBE& vbe;
  // One COM object per model object, made on first use.
  std::map<std::pair<const void*, std::size_t>, Ref<IDispatch>> known;
  template <class T, class Model>
  Variant Of(Model* object);
  Variant Control(const vbide::ControlPtr& control);
  // The control a served control object stands for; error 91 for another.
  vbide::ControlPtr ControlOf(IDispatch* object);
  std::map<IDispatch*, vbide::ControlPtr> controls;
};

namespace {

using Objects = ObjectModelServer::Objects;

// The IDispatch side every served object shares.
class Object : public com::RefCounted<com::NoTypeInfo<IDispatch>> {
 public:
  Object(Objects& o, std::vector<std::wstring_view> names) : o_(o), names_(std::move(names)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch))
      *out = static_cast<IDispatch*>(this);
    else
      *out = Other(riid);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    for (std::size_t i = 0; i < names_.size(); ++i) {
      if (SameName(names_[i], names[0])) ids[0] = static_cast<DISPID>(i + 1);
    }
    return ids[0] != DISPID_UNKNOWN && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* info, UINT*) override {
    if (id < 1 || static_cast<std::size_t>(id) > names_.size()) return DISP_E_MEMBERNOTFOUND;
    Ref<IDispatch> keep = Ref<IDispatch>::Share(this);
    try {
      Variant value = Member(names_[static_cast<std::size_t>(id - 1)], Args(params, flags));
      if (result) VariantCopy(result, value.get());
      return S_OK;
    } catch (const VbError& error) {
      return com::ReportError(error, info);
    } catch (const std::exception& error) {
      return com::ReportError(VbError(vberr::kMethodFailed, U(error.what())), info);
    }
  }

 protected:
  virtual Variant Member(std::wstring_view name, const Args& a) = 0;
  virtual void* Other(REFIID) { return nullptr; }
  Objects& o_;

 private:
  std::vector<std::wstring_view> names_;
};

Variant Nothing() { return Variant::Object(nullptr); }
Variant Long(std::int32_t v) { return Variant::Long(v); }
Variant Text(VbStringView v) { return Variant::String(v); }
Variant Bool(bool v) { return Variant::Bool(v); }
Variant Empty() { return Variant(); }

// A read-only collection: Count, Item(1..Count) and Parent.
class Collection final : public Object {
 public:
  Collection(Objects& o, std::vector<Variant> items, Variant parent)
      : Object(o, {L"Count", L"Item", L"Parent"}), items_(std::move(items)), parent_(std::move(parent)) {}

 protected:
  Variant Member(std::wstring_view n, const Args& a) override {
    if (n == L"Count") return Long(static_cast<std::int32_t>(items_.size()));
    if (n == L"Parent") return parent_;
    std::int32_t i = a.Long(0);
    if (i < 1 || static_cast<std::size_t>(i) > items_.size())
      Raise(vberr::kSubscriptOutOfRange, u"Subscript out of range");
    return items_[static_cast<std::size_t>(i - 1)];
  }

 private:
  std::vector<Variant> items_;
  Variant parent_;
};

Variant NewCollection(Objects& o, std::vector<Variant> items, Variant parent) {
  Ref<IDispatch> c = Ref<IDispatch>::Adopt(new Collection(o, std::move(items), std::move(parent)));
  return Variant::Object(c.get());
}

template <class Model>
class Served : public Object {
 public:
  Served(Objects& o, Model& m, std::vector<std::wstring_view> names) : Object(o, std::move(names)), m_(m) {}

 protected:
  Model& m_;
};

class CodeModule final : public Served<vbide::CodeModule> {
 public:
  CodeModule(Objects& o, vbide::CodeModule& m)
      : Served(o, m,
               {L"Parent", L"CountOfLines", L"CountOfDeclarationLines", L"Lines", L"ReplaceLine", L"InsertLines",
                L"DeleteLines", L"AddFromString", L"ProcOfLine", L"ProcStartLine", L"ProcCountLines", L"CodePane"}) {}

 protected:
  Variant Member(std::wstring_view n, const Args& a) override;
};

class Component final : public Served<vbide::VBComponent> {
 public:
  Component(Objects& o, vbide::VBComponent& m) : Served(o, m, {L"Name", L"Type", L"CodeModule", L"Collection"}) {}

 protected:
  Variant Member(std::wstring_view n, const Args&) override;
};

class Project final : public Served<vbide::VBProject> {
 public:
  Project(Objects& o, vbide::VBProject& m) : Served(o, m, {L"Name", L"Protection", L"VBComponents", L"VBE"}) {}

 protected:
  Variant Member(std::wstring_view n, const Args&) override;
};

Variant Component::Member(std::wstring_view n, const Args&) {
  if (n == L"Name") return Text(m_.Name());
  if (n == L"Type") return Long(static_cast<std::int32_t>(m_.Type()));
  if (n == L"CodeModule") return o_.Of<CodeModule>(&m_.CodeModule());
  std::vector<Variant> items;
  vbide::VBProject& project = m_.Collection();
  for (vbide::VBComponent* c : project.VBComponents()) items.push_back(o_.Of<Component>(c));
  return NewCollection(o_, std::move(items), o_.Of<Project>(&project));
}

class Window final : public Served<vbide::Window> {
 public:
  Window(Objects& o, vbide::Window& m) : Served(o, m, {L"Type", L"Caption", L"Visible", L"SetFocus", L"hWnd"}) {}

 protected:
  Variant Member(std::wstring_view n, const Args&) override {
    if (n == L"Type") return Long(static_cast<std::int32_t>(m_.Type()));
    if (n == L"Caption") return Text(m_.Caption());
    if (n == L"Visible") return Bool(m_.Visible());
    if (n == L"hWnd") return Long(m_.hWnd());
    m_.SetFocus();
    return Empty();
  }
};

class CodePane final : public Served<vbide::CodePane> {
 public:
  CodePane(Objects& o, vbide::CodePane& m)
      : Served(o, m, {L"GetSelection", L"SetSelection", L"CodeModule", L"Window", L"Show"}) {}

 protected:
  Variant Member(std::wstring_view n, const Args& a) override {
    if (n == L"GetSelection") {
      std::int32_t v[4] = {};
      m_.GetSelection(v[0], v[1], v[2], v[3]);
      for (std::size_t i = 0; i < 4; ++i) a.SetLong(i, v[i]);
    } else if (n == L"SetSelection") {
      m_.SetSelection(a.Long(0), a.Long(1), a.Long(2), a.Long(3));
    } else if (n == L"CodeModule") {
      return o_.Of<CodeModule>(&m_.CodeModule());
    } else if (n == L"Window") {
      return o_.Of<Window>(&m_.Window());
    } else {
      m_.Show();
    }
    return Empty();
  }
};

Variant CodeModule::Member(std::wstring_view n, const Args& a) {
  if (n == L"Parent") return o_.Of<Component>(&m_.Parent());
  if (n == L"CountOfLines") return Long(m_.CountOfLines());
  if (n == L"CountOfDeclarationLines") return Long(m_.CountOfDeclarationLines());
  if (n == L"Lines") return Text(m_.Lines(a.Long(0), a.Long(1)));
  if (n == L"ReplaceLine")
    m_.ReplaceLine(a.Long(0), a.Text(1));
  else if (n == L"InsertLines")
    m_.InsertLines(a.Long(0), a.Text(1));
  else if (n == L"DeleteLines")
    m_.DeleteLines(a.Long(0), a.Has(1) ? a.Long(1) : 1);
  else if (n == L"AddFromString")
    m_.AddFromString(a.Text(0));
  else if (n == L"ProcOfLine") {
    auto kind = static_cast<vbide::ProcKind>(a.Long(1));
    VbString name = m_.ProcOfLine(a.Long(0), kind);
    a.SetLong(1, static_cast<std::int32_t>(kind));
    return Text(name);
  } else if (n == L"ProcStartLine")
    return Long(m_.ProcStartLine(a.Text(0), static_cast<vbide::ProcKind>(a.Long(1))));
  else if (n == L"ProcCountLines")
    return Long(m_.ProcCountLines(a.Text(0), static_cast<vbide::ProcKind>(a.Long(1))));
  else
    return o_.Of<CodePane>(&m_.CodePane());
  return Empty();
}

vbide::FindControlArgs FindArguments(const Args& a, bool withRecursive) {
  vbide::FindControlArgs f;
  if (a.Has(0)) f.type = static_cast<vbide::ControlType>(a.Long(0));
  if (a.Has(1)) f.id = a.Long(1);
  if (a.Has(2)) f.tag = a.Text(2);
  if (a.Has(3)) f.visible = a.Bool(3);
  if (withRecursive && a.Has(4)) f.recursive = a.Bool(4);
  return f;
}

class Controls final : public Served<vbide::CommandBarControls> {
 public:
  Controls(Objects& o, vbide::CommandBarControls& m) : Served(o, m, {L"Count", L"Item", L"Add"}) {}

 protected:
  Variant Member(std::wstring_view n, const Args& a) override {
    if (n == L"Count") return Long(m_.Count());
    if (n == L"Item") return o_.Control(m_.Item(a.Long(0)));
    vbide::AddControlArgs add;
    if (a.Has(0)) add.type = static_cast<vbide::ControlType>(a.Long(0));
    if (a.Has(1)) add.id = a.Long(1);
    if (a.Has(2)) add.parameter = a.Text(2);
    if (a.Has(3)) add.before = a.Long(3);
    if (a.Has(4)) add.temporary = a.Bool(4);
    return o_.Control(m_.Add(add));
  }
};

class Bar final : public Served<vbide::CommandBar> {
 public:
  Bar(Objects& o, vbide::CommandBar& m) : Served(o, m, {L"Name", L"Controls", L"FindControl"}) {}

 protected:
  Variant Member(std::wstring_view n, const Args& a) override {
    if (n == L"Name") return Text(m_.Name());
    if (n == L"Controls") return o_.Of<Controls>(&m_.Controls());
    return o_.Control(m_.FindControl(FindArguments(a, true)));
  }
};

class Bars final : public Served<vbide::CommandBars> {
 public:
  Bars(Objects& o, vbide::CommandBars& m) : Served(o, m, {L"Count", L"Item", L"FindControl"}) {}

 protected:
  Variant Member(std::wstring_view n, const Args& a) override {
    if (n == L"Count") return Long(m_.Count());
    if (n == L"Item") return o_.Of<Bar>(a.IsText(0) ? &m_.Item(a.Text(0)) : &m_.Item(a.Long(0)));
    return o_.Control(m_.FindControl(FindArguments(a, false)));
  }
};

class ControlObject final : public Object {
 public:
  ControlObject(Objects& o, vbide::ControlPtr m)
      : Object(o, {L"Type", L"Id", L"Index", L"Caption", L"Parameter", L"Tag", L"BeginGroup", L"Visible", L"FaceId",
                   L"Style", L"Delete", L"CommandBar", L"Parent"}),
        m_(std::move(m)) {}

 protected:
  Variant Member(std::wstring_view n, const Args& a) override {
    vbide::CommandBarControl& c = *m_;
    if (a.IsPut()) {
      Variant v = a.Value();
      if (n == L"Caption")
        c.SetCaption(v.ToString());
      else if (n == L"Parameter")
        c.SetParameter(v.ToString());
      else if (n == L"Tag")
        c.SetTag(v.ToString());
      else if (n == L"BeginGroup")
        c.SetBeginGroup(v.ToBool());
      else if (n == L"FaceId")
        c.SetFaceId(v.ToLong());
      else if (n == L"Style")
        c.SetStyle(static_cast<vbide::ButtonStyle>(v.ToLong()));
      else
        NotSupported(n);
      return Empty();
    }
    if (n == L"Type") return Long(static_cast<std::int32_t>(c.Type()));
    if (n == L"Id") return Long(c.Id());
    if (n == L"Index") return Long(c.Index());
    if (n == L"Caption") return Text(c.Caption());
    if (n == L"Parameter") return Text(c.Parameter());
    if (n == L"Tag") return Text(c.Tag());
    if (n == L"BeginGroup") return Bool(c.BeginGroup());
    if (n == L"Visible") return Bool(c.Visible());
    if (n == L"FaceId") return Long(c.FaceId());
    if (n == L"Style") return Long(static_cast<std::int32_t>(c.Style()));
    if (n == L"CommandBar") return o_.Of<Bar>(&c.CommandBar());
    if (n == L"Parent") {
      auto* own = dynamic_cast<model::ModelControl*>(&c);
      if (!own || own->Deleted()) NotSupported(n);
      return o_.Of<Bar>(static_cast<vbide::CommandBar*>(&own->ParentBar()));
    }
    c.Delete();
    return Empty();
  }

 private:
  vbide::ControlPtr m_;
};

// The connection point of one CommandBarEvents object: each sink connected
// here is a sink of the model's events object, and a click the model raises
// is passed to the sink's Invoke as DISPID 1.
class Events final : public Object, public IConnectionPointContainer, public IConnectionPoint {
 public:
  Events(Objects& o, std::shared_ptr<vbide::CommandBarEvents> events) : Object(o, {}), events_(std::move(events)) {}
  ~Events() override {
    for (auto& [cookie, bridge] : bridges_) ResumeNext([&] { events_->Unadvise(*bridge); });
  }

  ULONG STDMETHODCALLTYPE AddRef() override { return Object::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return Object::Release(); }
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    return Object::QueryInterface(riid, out);
  }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override;
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(riid, kEventsIid)) return CONNECT_E_NOCONNECTION;
    *out = this;
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (!iid) return E_POINTER;
    *iid = kEventsIid;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override {
    if (!out) return E_POINTER;
    *out = this;
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    if (!sink || !cookie) return E_POINTER;
    Ref<IDispatch> target;
    if (FAILED(sink->QueryInterface(kEventsIid, reinterpret_cast<void**>(target.put()))))
      return CONNECT_E_CANNOTCONNECT;
    auto bridge = std::make_unique<Bridge>(o_, std::move(target));
    try {
      events_->Advise(*bridge);
    } catch (const VbError&) {
      return E_FAIL;
    }
    *cookie = ++lastCookie_;
    bridges_.emplace(*cookie, std::move(bridge));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    auto it = bridges_.find(cookie);
    if (it == bridges_.end()) return CONNECT_E_NOCONNECTION;
    ResumeNext([&] { events_->Unadvise(*it->second); });
    bridges_.erase(it);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

 protected:
  Variant Member(std::wstring_view n, const Args&) override { NotSupported(n); }
  void* Other(REFIID riid) override {
    if (IsEqualIID(riid, IID_IConnectionPointContainer)) return static_cast<IConnectionPointContainer*>(this);
    if (IsEqualIID(riid, IID_IConnectionPoint)) return static_cast<IConnectionPoint*>(this);
    return nullptr;
  }

 private:
  class Bridge final : public vbide::CommandBarEventsSink {
   public:
    Bridge(Objects& o, Ref<IDispatch> target) : o_(o), target_(std::move(target)) {}
    void Click(vbide::CommandBarControl& control, bool& handled, bool& cancelDefault) override {
      auto* own = dynamic_cast<model::ModelControl*>(&control);
      Variant clicked = own ? o_.Control(own->shared_from_this()) : Nothing();
      VARIANT_BOOL flags[2] = {handled ? VARIANT_TRUE : VARIANT_FALSE, cancelDefault ? VARIANT_TRUE : VARIANT_FALSE};
      VARIANT args[3];  // the last argument first
      for (VARIANT& v : args) VariantInit(&v);
      args[2] = clicked.raw();
      args[1].vt = args[0].vt = VT_BYREF | VT_BOOL;
      args[1].pboolVal = &flags[0];
      args[0].pboolVal = &flags[1];
      DISPPARAMS params{args, nullptr, 3, 0};
      EXCEPINFO info{};
      Ref<IDispatch> target = target_;
      HRESULT hr = target->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, &info, nullptr);
      handled = flags[0] != VARIANT_FALSE;
      cancelDefault = flags[1] != VARIANT_FALSE;
      if (FAILED(hr)) com::RaiseFailure(hr, &info, u"Click");
    }

   private:
    Objects& o_;
    Ref<IDispatch> target_;
  };

  std::shared_ptr<vbide::CommandBarEvents> events_;
  std::map<DWORD, std::unique_ptr<Bridge>> bridges_;
  DWORD lastCookie_ = 0;
};

// Hands out the one connection point of an events object.
class PointList final : public com::RefCounted<IEnumConnectionPoints> {
 public:
  explicit PointList(IConnectionPoint* point) : point_(Ref<IConnectionPoint>::Share(point)) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IEnumConnectionPoints)) return E_NOINTERFACE;
    *out = this;
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG count, IConnectionPoint** out, ULONG* fetched) override {
    if (!out) return E_POINTER;
    ULONG n = 0;
    if (count > 0 && !done_) {
      out[0] = point_.get();
      point_->AddRef();
      done_ = true;
      n = 1;
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    if (count > 0) done_ = true;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    done_ = false;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints**) override { return E_NOTIMPL; }

 private:
  Ref<IConnectionPoint> point_;
  bool done_ = false;
};

HRESULT Events::EnumConnectionPoints(IEnumConnectionPoints** out) {
  if (!out) return E_POINTER;
  *out = new PointList(this);
  return S_OK;
}

class EventsRoot final : public Served<vbide::Events> {
 public:
  EventsRoot(Objects& o, vbide::Events& m) : Served(o, m, {L"CommandBarEvents"}) {}

 protected:
  Variant Member(std::wstring_view, const Args& a) override {
    Ref<IDispatch> control = a.Object(0);
    vbide::ControlPtr own = o_.ControlOf(control.get());
    Ref<IDispatch> events =
        Ref<IDispatch>::Adopt(static_cast<IDispatch*>(static_cast<Object*>(new Events(o_, m_.CommandBarEvents(own)))));
    return Variant::Object(events.get());
  }
};

class Root final : public Served<vbide::VBE> {
 public:
  Root(Objects& o, vbide::VBE& m)
      : Served(
            o, m,
            {L"ActiveVBProject", L"ActiveCodePane", L"VBProjects", L"Windows", L"CommandBars", L"Events", L"Version"}) {
  }

 protected:
  Variant Member(std::wstring_view n, const Args&) override {
    if (n == L"ActiveVBProject") return o_.Of<Project>(m_.ActiveVBProject());
    if (n == L"ActiveCodePane") return o_.Of<CodePane>(m_.ActiveCodePane());
    if (n == L"CommandBars") return o_.Of<Bars>(&m_.CommandBars());
    if (n == L"Events") return o_.Of<EventsRoot>(&m_.Events());
    if (n == L"Version") return Text(m_.Version());
    std::vector<Variant> items;
    if (n == L"VBProjects") {
      for (vbide::VBProject* p : m_.VBProjects()) items.push_back(o_.Of<Project>(p));
    } else {
      for (vbide::Window* w : m_.Windows()) items.push_back(o_.Of<Window>(w));
    }
    return NewCollection(o_, std::move(items), o_.Of<Root>(&m_));
  }
};

Variant Project::Member(std::wstring_view n, const Args&) {
  if (n == L"Name") return Text(m_.Name());
  if (n == L"Protection") return Long(m_.Protection());
  if (n == L"VBE") return o_.Of<Root>(&m_.VBE());
  std::vector<Variant> items;
  for (vbide::VBComponent* c : m_.VBComponents()) items.push_back(o_.Of<Component>(c));
  return NewCollection(o_, std::move(items), o_.Of<Project>(&m_));
}

}  // namespace

template <class T, class Model>
Variant ObjectModelServer::Objects::Of(Model* object) {
  if (!object) return Nothing();
  Ref<IDispatch>& served = known[{static_cast<const void*>(object), typeid(T).hash_code()}];
  if (!served) served = Ref<IDispatch>::Adopt(new T(*this, *object));
  return Variant::Object(served.get());
}

Variant ObjectModelServer::Objects::Control(const vbide::ControlPtr& control) {
  if (!control) return Nothing();
  Ref<IDispatch>& served = known[{static_cast<const void*>(control.get()), typeid(ControlObject).hash_code()}];
  if (!served) {
    served = Ref<IDispatch>::Adopt(new ControlObject(*this, control));
    controls[served.get()] = control;
  }
  return Variant::Object(served.get());
}

vbide::ControlPtr ObjectModelServer::Objects::ControlOf(IDispatch* object) {
  auto it = controls.find(object);
  if (it == controls.end()) Raise(vberr::kObjectVariableNotSet, u"Object variable or With block variable not set");
  return it->second;
}

ObjectModelServer::ObjectModelServer(model::ModelVBE& vbe) : objects_(std::make_unique<Objects>(vbe)) {}

ObjectModelServer::~ObjectModelServer() = default;

IDispatch* ObjectModelServer::Application() {
  Variant root = objects_->Of<Root>(static_cast<vbide::VBE*>(&objects_->vbe));
  return root.raw().pdispVal;  // the server keeps it
}

}  // namespace kv::modelcom
#endif  // _WIN32
