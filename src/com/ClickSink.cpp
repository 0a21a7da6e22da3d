// Click sinks connected to the IDE's command-bar events.
#ifdef _WIN32
#include "com/ClickSink.h"

#include <ocidl.h>

#include <algorithm>
#include <vector>

#include "com/NoTypeInfo.h"
#include "com/RefCounted.h"

namespace kv::com {

namespace {

constexpr DISPID kClick = 1;

class ClickEvents;

// The COM object a connection point calls: it forwards Click to one sink of
// the add-in until it is detached.
class SinkObject final : public RefCounted<NoTypeInfo<IDispatch>> {
 public:
  SinkObject(const IID& iid, ClickEvents& events, vbide::CommandBarEventsSink& sink)
      : iid_(iid), events_(&events), sink_(&sink) {}
  void Detach() { events_ = nullptr; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) || IsEqualIID(riid, iid_)) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (count == 0 || !names || !ids) return E_INVALIDARG;
    bool click = lstrcmpiW(names[0], L"Click") == 0;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (click) ids[0] = kClick;
    return click && count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO* info,
                                   UINT*) override;

 private:
  IID iid_;
  ClickEvents* events_;
  vbide::CommandBarEventsSink* sink_;
};

class ClickEvents final : public vbide::CommandBarEvents {
 public:
  ClickEvents(LateBound events, vbide::ControlPtr own, IDispatch* ownDispatch,
              std::function<vbide::ControlPtr(IDispatch*)> wrap)
      : events_(std::move(events)),
        own_(std::move(own)),
        ownDispatch_(Ref<IDispatch>::Share(ownDispatch)),
        wrap_(std::move(wrap)) {}
  ~ClickEvents() override {
    while (!connections_.empty()) {
      ResumeNext([&] { Unadvise(*connections_.back().sink); });
    }
  }

  void Advise(vbide::CommandBarEventsSink& sink) override {
    if (Find(sink) != connections_.end()) return;
    Ref<IConnectionPointContainer> container;
    if (FAILED(events_.get()->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(container.put()))))
      RaiseFailure(DISP_E_UNKNOWNNAME, nullptr, u"IConnectionPointContainer");
    Ref<IEnumConnectionPoints> points;
    HRESULT hr = container->EnumConnectionPoints(points.put());
    if (FAILED(hr)) RaiseFailure(hr, nullptr, u"EnumConnectionPoints");
    Ref<IConnectionPoint> point;
    ULONG fetched = 0;
    if (points->Next(1, point.put(), &fetched) != S_OK || !point)
      RaiseFailure(DISP_E_UNKNOWNNAME, nullptr, u"CommandBarEvents.Click");
    IID iid{};
    if (FAILED(hr = point->GetConnectionInterface(&iid))) RaiseFailure(hr, nullptr, u"GetConnectionInterface");
    Ref<SinkObject> object = Ref<SinkObject>::Adopt(new SinkObject(iid, *this, sink));
    DWORD cookie = 0;
    if (FAILED(hr = point->Advise(object.get(), &cookie))) {
      object->Detach();
      RaiseFailure(hr, nullptr, u"Advise");
    }
    connections_.push_back(Connection{&sink, std::move(point), cookie, std::move(object)});
  }

  void Unadvise(vbide::CommandBarEventsSink& sink) override {
    auto it = Find(sink);
    if (it == connections_.end()) return;
    Connection connection = std::move(*it);
    connections_.erase(it);
    connection.object->Detach();
    HRESULT hr = connection.point->Unadvise(connection.cookie);
    if (FAILED(hr)) RaiseFailure(hr, nullptr, u"Unadvise");
  }

  // The click of `clicked`, delivered to `sink`.
  HRESULT Click(vbide::CommandBarEventsSink& sink, DISPPARAMS* params, EXCEPINFO* info) {
    if (!params || params->cArgs != 3 || params->cNamedArgs != 0) return DISP_E_BADPARAMCOUNT;
    VARIANT& control = params->rgvarg[2];
    IDispatch* clicked = control.vt == VT_DISPATCH                                     ? control.pdispVal
                         : control.vt == (VT_BYREF | VT_DISPATCH) && control.ppdispVal ? *control.ppdispVal
                                                                                       : nullptr;
    if (!clicked) return DISP_E_TYPEMISMATCH;
    VARIANT_BOOL* flags[2] = {};
    for (int i = 0; i < 2; ++i) {
      VARIANT& flag = params->rgvarg[1 - i];
      if (flag.vt == (VT_BYREF | VT_BOOL)) flags[i] = flag.pboolVal;
    }
    bool handled = flags[0] && *flags[0] != VARIANT_FALSE;
    bool cancelDefault = flags[1] && *flags[1] != VARIANT_FALSE;
    try {
      vbide::ControlPtr control = IsOwn(clicked) ? own_ : wrap_(clicked);
      sink.Click(*control, handled, cancelDefault);
    } catch (const VbError& error) {
      return ReportError(error, info);
    } catch (...) {
      return E_FAIL;
    }
    if (flags[0]) *flags[0] = handled ? VARIANT_TRUE : VARIANT_FALSE;
    if (flags[1]) *flags[1] = cancelDefault ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  }

 private:
  struct Connection {
    vbide::CommandBarEventsSink* sink;
    Ref<IConnectionPoint> point;
    DWORD cookie;
    Ref<SinkObject> object;
  };

  std::vector<Connection>::iterator Find(vbide::CommandBarEventsSink& sink) {
    return std::find_if(connections_.begin(), connections_.end(), [&](const Connection& c) { return c.sink == &sink; });
  }

  // Whether the clicked control is the one these events belong to. An IDE
  // may hand out a new object for the same control, so when the identities
  // differ the control is recognised by its parameter, caption, position and
  // bar.
  bool IsOwn(IDispatch* clicked) {
    if (SameObject(clicked, ownDispatch_.get())) return true;
    bool same = false;
    ResumeNext([&] {
      LateBound a(events_.Names(), Ref<IDispatch>::Share(clicked));
      LateBound b(events_.Names(), ownDispatch_);
      same = a.Get(u"Parameter").ToString() == b.Get(u"Parameter").ToString() &&
             a.Get(u"Caption").ToString() == b.Get(u"Caption").ToString() &&
             a.Get(u"Index").ToLong() == b.Get(u"Index").ToLong() &&
             a.Object(u"Parent").Get(u"Name").ToString() == b.Object(u"Parent").Get(u"Name").ToString();
    });
    return same;
  }

  LateBound events_;
  vbide::ControlPtr own_;
  Ref<IDispatch> ownDispatch_;
  std::function<vbide::ControlPtr(IDispatch*)> wrap_;
  std::vector<Connection> connections_;
};

HRESULT SinkObject::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO* info, UINT*) {
  if (id != kClick) return DISP_E_MEMBERNOTFOUND;
  if (!events_) return S_OK;                            // disconnected: the click is not ours any more
  Ref<SinkObject> keep = Ref<SinkObject>::Share(this);  // Exit may disconnect this sink inside the click
  return events_->Click(*sink_, params, info);
}

}  // namespace

std::shared_ptr<vbide::CommandBarEvents> MakeClickEvents(LateBound events, vbide::ControlPtr own,
                                                         IDispatch* ownDispatch,
                                                         std::function<vbide::ControlPtr(IDispatch*)> wrap) {
  return std::make_shared<ClickEvents>(std::move(events), std::move(own), ownDispatch, std::move(wrap));
}

}  // namespace kv::com
#endif  // _WIN32
