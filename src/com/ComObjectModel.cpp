// The object-model classes over late binding. Each member is one property
// read, property write or method call of the same name on the IDE's object,
// with the arguments its type library declares; optional arguments the add-in
// leaves out travel as "missing".
#ifdef _WIN32
#include "com/ComObjectModel.h"

#include <map>

#include "com/ClickSink.h"
#include "com/Dispatch.h"

namespace kv::com {

using vbide::ControlPtr;

// What every wrapped object is, for the identity cache.
class Wrapped {
 public:
  explicit Wrapped(LateBound object) : o(std::move(object)) {}
  virtual ~Wrapped() = default;
  LateBound o;
};

class Session : public std::enable_shared_from_this<Session> {
 public:
  Session(IDispatch* application, ComVBE& root)
      : names(std::make_shared<NameCache>()), app(names, Ref<IDispatch>::Share(application)), root(root) {}

  // The one wrapper of this COM object (by identity) as a T.
  template <class T>
  T& Wrap(LateBound object) {
    Ref<IUnknown> id = Identity(object.get());
    auto it = objects.find(id.get());
    if (it != objects.end()) {
      if (auto* known = dynamic_cast<T*>(it->second.object.get())) return *known;
    }
    auto made = std::make_unique<T>(*this, std::move(object));
    T& result = *made;
    IUnknown* key = id.get();
    objects[key] = Entry{std::move(id), std::move(made)};
    return result;
  }
  template <class T>
  T* WrapOrNothing(std::optional<LateBound> object) {
    return object ? &Wrap<T>(*std::move(object)) : nullptr;
  }

  std::shared_ptr<NameCache> names;
  LateBound app;
  ComVBE& root;
  // The control object of each COM identity while the add-in holds it, so
  // that the same control found twice is the same object (the menu removal
  // relies on it to notice a control the IDE did not delete). The live
  // object keeps its COM object, so a key cannot be reused while it lives.
  std::map<IUnknown*, std::weak_ptr<vbide::CommandBarControl>> controls;

 private:
  struct Entry {
    Ref<IUnknown> id;
    std::unique_ptr<Wrapped> object;
  };
  std::map<IUnknown*, Entry> objects;
};

namespace {

Variant Long(std::int32_t v) { return Variant::Long(v); }
Variant Text(VbStringView v) { return Variant::String(v); }
template <class T>
Variant LongOr(const std::optional<T>& v) {
  return v ? Variant::Long(static_cast<std::int32_t>(*v)) : Variant::Missing();
}

class ComComponent;
class ComCodePane;
class ComWindow;
class ComCommandBar;

class ComCodeModule final : public vbide::CodeModule, public Wrapped {
 public:
  ComCodeModule(Session& s, LateBound object) : Wrapped(std::move(object)), s_(s) {}
  vbide::VBComponent& Parent() override;
  std::int32_t CountOfLines() override { return o.Get(u"CountOfLines").ToLong(); }
  std::int32_t CountOfDeclarationLines() override { return o.Get(u"CountOfDeclarationLines").ToLong(); }
  VbString Lines(std::int32_t start, std::int32_t count) override {
    return o.Get(u"Lines", {Long(start), Long(count)}).ToString();
  }
  void ReplaceLine(std::int32_t line, VbStringView text) override { o.Call(u"ReplaceLine", {Long(line), Text(text)}); }
  void InsertLines(std::int32_t line, VbStringView text) override { o.Call(u"InsertLines", {Long(line), Text(text)}); }
  void DeleteLines(std::int32_t start, std::int32_t count) override {
    o.Call(u"DeleteLines", {Long(start), Long(count)});
  }
  void AddFromString(VbStringView text) override { o.Call(u"AddFromString", {Text(text)}); }
  VbString ProcOfLine(std::int32_t line, vbide::ProcKind& kind) override {
    std::vector<Variant> args{Long(line), Long(static_cast<std::int32_t>(kind))};
    VbString name = o.CallByRef(u"ProcOfLine", args).ToString();
    kind = static_cast<vbide::ProcKind>(args[1].ToLong());
    return name;
  }
  std::int32_t ProcStartLine(VbStringView name, vbide::ProcKind kind) override {
    return o.Get(u"ProcStartLine", {Text(name), Long(static_cast<std::int32_t>(kind))}).ToLong();
  }
  std::int32_t ProcCountLines(VbStringView name, vbide::ProcKind kind) override {
    return o.Get(u"ProcCountLines", {Text(name), Long(static_cast<std::int32_t>(kind))}).ToLong();
  }
  vbide::CodePane& CodePane() override;

 private:
  Session& s_;
};

class ComProject final : public vbide::VBProject, public Wrapped {
 public:
  ComProject(Session& s, LateBound object) : Wrapped(std::move(object)), s_(s) {}
  VbString Name() override { return o.Get(u"Name").ToString(); }
  std::int32_t Protection() override { return o.Get(u"Protection").ToLong(); }
  std::vector<vbide::VBComponent*> VBComponents() override;
  vbide::VBE& VBE() override { return s_.root; }

 private:
  Session& s_;
};

class ComComponent final : public vbide::VBComponent, public Wrapped {
 public:
  ComComponent(Session& s, LateBound object) : Wrapped(std::move(object)), s_(s) {}
  VbString Name() override { return o.Get(u"Name").ToString(); }
  vbide::ComponentType Type() override { return static_cast<vbide::ComponentType>(o.Get(u"Type").ToLong()); }
  vbide::CodeModule& CodeModule() override { return s_.Wrap<ComCodeModule>(o.Object(u"CodeModule")); }
  // The component's collection belongs to its project.
  vbide::VBProject& Collection() override { return s_.Wrap<ComProject>(o.Object(u"Collection").Object(u"Parent")); }

 private:
  Session& s_;
};

class ComWindow final : public vbide::Window, public Wrapped {
 public:
  ComWindow(Session&, LateBound object) : Wrapped(std::move(object)) {}
  vbide::WindowType Type() override { return static_cast<vbide::WindowType>(o.Get(u"Type").ToLong()); }
  VbString Caption() override { return o.Get(u"Caption").ToString(); }
  bool Visible() override { return o.Get(u"Visible").ToBool(); }
  void SetFocus() override { o.Call(u"SetFocus"); }
  std::int32_t hWnd() override { return o.Get(u"hWnd").ToLong(); }
};

class ComCodePane final : public vbide::CodePane, public Wrapped {
 public:
  ComCodePane(Session& s, LateBound object) : Wrapped(std::move(object)), s_(s) {}
  void GetSelection(std::int32_t& sl, std::int32_t& sc, std::int32_t& el, std::int32_t& ec) override {
    std::vector<Variant> args{Long(0), Long(0), Long(0), Long(0)};
    o.CallByRef(u"GetSelection", args);
    sl = args[0].ToLong();
    sc = args[1].ToLong();
    el = args[2].ToLong();
    ec = args[3].ToLong();
  }
  void SetSelection(std::int32_t sl, std::int32_t sc, std::int32_t el, std::int32_t ec) override {
    o.Call(u"SetSelection", {Long(sl), Long(sc), Long(el), Long(ec)});
  }
  vbide::CodeModule& CodeModule() override { return s_.Wrap<ComCodeModule>(o.Object(u"CodeModule")); }
  vbide::Window& Window() override { return s_.Wrap<ComWindow>(o.Object(u"Window")); }
  void Show() override { o.Call(u"Show"); }

 private:
  Session& s_;
};

vbide::VBComponent& ComCodeModule::Parent() { return s_.Wrap<ComComponent>(o.Object(u"Parent")); }
vbide::CodePane& ComCodeModule::CodePane() { return s_.Wrap<ComCodePane>(o.Object(u"CodePane")); }

// The members of a collection, by Count and Item(1..Count).
template <class T>
std::vector<T*> Members(Session& s, const LateBound& collection) {
  std::vector<T*> members;
  std::int32_t count = collection.Get(u"Count").ToLong();
  for (std::int32_t i = 1; i <= count; ++i) members.push_back(&s.Wrap<T>(collection.Object(u"Item", {Long(i)})));
  return members;
}

std::vector<vbide::VBComponent*> ComProject::VBComponents() {
  std::vector<vbide::VBComponent*> result;
  for (ComComponent* c : Members<ComComponent>(s_, o.Object(u"VBComponents"))) result.push_back(c);
  return result;
}

class ComControl final : public vbide::CommandBarControl {
 public:
  ComControl(std::shared_ptr<Session> s, LateBound object) : s_(std::move(s)), o(std::move(object)) {}
  IDispatch* Dispatch() const { return o.get(); }

  vbide::ControlType Type() override { return static_cast<vbide::ControlType>(o.Get(u"Type").ToLong()); }
  std::int32_t Id() override { return o.Get(u"Id").ToLong(); }
  std::int32_t Index() override { return o.Get(u"Index").ToLong(); }
  VbString Caption() override { return o.Get(u"Caption").ToString(); }
  void SetCaption(VbStringView v) override { o.Put(u"Caption", Text(v)); }
  VbString Parameter() override { return o.Get(u"Parameter").ToString(); }
  void SetParameter(VbStringView v) override { o.Put(u"Parameter", Text(v)); }
  VbString Tag() override { return o.Get(u"Tag").ToString(); }
  void SetTag(VbStringView v) override { o.Put(u"Tag", Text(v)); }
  bool BeginGroup() override { return o.Get(u"BeginGroup").ToBool(); }
  void SetBeginGroup(bool v) override { o.Put(u"BeginGroup", Variant::Bool(v)); }
  bool Visible() override { return o.Get(u"Visible").ToBool(); }
  std::int32_t FaceId() override { return o.Get(u"FaceId").ToLong(); }
  void SetFaceId(std::int32_t v) override { o.Put(u"FaceId", Long(v)); }
  vbide::ButtonStyle Style() override { return static_cast<vbide::ButtonStyle>(o.Get(u"Style").ToLong()); }
  void SetStyle(vbide::ButtonStyle v) override { o.Put(u"Style", Long(static_cast<std::int32_t>(v))); }
  void Delete() override { o.Call(u"Delete"); }
  vbide::CommandBar& CommandBar() override;

 private:
  std::shared_ptr<Session> s_;
  LateBound o;
};

ControlPtr ControlOrNothing(Session& s, std::optional<LateBound> object) {
  if (!object) return nullptr;
  std::weak_ptr<vbide::CommandBarControl>& known = s.controls[Identity(object->get()).get()];
  if (ControlPtr alive = known.lock()) return alive;
  ControlPtr control = std::make_shared<ComControl>(s.shared_from_this(), *std::move(object));
  known = control;
  return control;
}

std::vector<Variant> FindArguments(const vbide::FindControlArgs& a) {
  return {LongOr(a.type), LongOr(a.id), a.tag ? Text(*a.tag) : Variant::Missing(),
          a.visible ? Variant::Bool(*a.visible) : Variant::Missing()};
}

class ComControls final : public vbide::CommandBarControls, public Wrapped {
 public:
  ComControls(Session& s, LateBound object) : Wrapped(std::move(object)), s_(s) {}
  std::int32_t Count() override { return o.Get(u"Count").ToLong(); }
  ControlPtr Item(std::int32_t index) override { return ControlOrNothing(s_, o.Object(u"Item", {Long(index)})); }
  ControlPtr Add(const vbide::AddControlArgs& a) override {
    std::vector<Variant> args{LongOr(a.type), LongOr(a.id), a.parameter ? Text(*a.parameter) : Variant::Missing(),
                              LongOr(a.before), a.temporary ? Variant::Bool(*a.temporary) : Variant::Missing()};
    return ControlOrNothing(s_, o.ObjectOrNothing(u"Add", std::move(args)));
  }

 private:
  Session& s_;
};

class ComCommandBar final : public vbide::CommandBar, public Wrapped {
 public:
  ComCommandBar(Session& s, LateBound object) : Wrapped(std::move(object)), s_(s) {}
  VbString Name() override { return o.Get(u"Name").ToString(); }
  vbide::CommandBarControls& Controls() override { return s_.Wrap<ComControls>(o.Object(u"Controls")); }
  ControlPtr FindControl(const vbide::FindControlArgs& a) override {
    std::vector<Variant> args = FindArguments(a);
    args.push_back(Variant::Bool(a.recursive));
    return ControlOrNothing(s_, o.ObjectOrNothing(u"FindControl", std::move(args)));
  }

 private:
  Session& s_;
};

vbide::CommandBar& ComControl::CommandBar() { return s_->Wrap<ComCommandBar>(o.Object(u"CommandBar")); }

class ComCommandBars final : public vbide::CommandBars, public Wrapped {
 public:
  ComCommandBars(Session& s, LateBound object) : Wrapped(std::move(object)), s_(s) {}
  std::int32_t Count() override { return o.Get(u"Count").ToLong(); }
  vbide::CommandBar& Item(VbStringView name) override {
    return s_.Wrap<ComCommandBar>(o.Object(u"Item", {Text(name)}));
  }
  vbide::CommandBar& Item(std::int32_t index) override {
    return s_.Wrap<ComCommandBar>(o.Object(u"Item", {Long(index)}));
  }
  ControlPtr FindControl(const vbide::FindControlArgs& a) override {
    return ControlOrNothing(s_, o.ObjectOrNothing(u"FindControl", FindArguments(a)));
  }

 private:
  Session& s_;
};

class ComEvents final : public vbide::Events, public Wrapped {
 public:
  ComEvents(Session& s, LateBound object) : Wrapped(std::move(object)), s_(s) {}
  std::shared_ptr<vbide::CommandBarEvents> CommandBarEvents(const ControlPtr& control) override {
    auto* own = dynamic_cast<ComControl*>(control.get());
    if (!own) Raise(vberr::kObjectVariableNotSet, u"Object variable or With block variable not set");
    LateBound events = o.Object(u"CommandBarEvents", {Variant::Object(own->Dispatch())});
    return MakeClickEvents(std::move(events), control, own->Dispatch(),
                           [session = s_.shared_from_this()](IDispatch* clicked) -> ControlPtr {
                             return std::make_shared<ComControl>(
                                 session, LateBound(session->names, Ref<IDispatch>::Share(clicked)));
                           });
  }

 private:
  Session& s_;
};

}  // namespace

ComVBE::ComVBE(IDispatch* application) : session_(std::make_shared<Session>(application, *this)) {}
ComVBE::~ComVBE() = default;

std::intptr_t ComVBE::MainWindowHandle() { return session_->app.Object(u"MainWindow").Get(u"hWnd").ToLong(); }

vbide::VBProject* ComVBE::ActiveVBProject() {
  return session_->WrapOrNothing<ComProject>(session_->app.ObjectOrNothing(u"ActiveVBProject"));
}

vbide::CodePane* ComVBE::ActiveCodePane() {
  return session_->WrapOrNothing<ComCodePane>(session_->app.ObjectOrNothing(u"ActiveCodePane"));
}

std::vector<vbide::VBProject*> ComVBE::VBProjects() {
  std::vector<vbide::VBProject*> result;
  for (ComProject* p : Members<ComProject>(*session_, session_->app.Object(u"VBProjects"))) result.push_back(p);
  return result;
}

std::vector<vbide::Window*> ComVBE::Windows() {
  std::vector<vbide::Window*> result;
  for (ComWindow* w : Members<ComWindow>(*session_, session_->app.Object(u"Windows"))) result.push_back(w);
  return result;
}

vbide::CommandBars& ComVBE::CommandBars() {
  return session_->Wrap<ComCommandBars>(session_->app.Object(u"CommandBars"));
}
vbide::Events& ComVBE::Events() { return session_->Wrap<ComEvents>(session_->app.Object(u"Events")); }
VbString ComVBE::Version() { return session_->app.Get(u"Version").ToString(); }

}  // namespace kv::com
#endif  // _WIN32
