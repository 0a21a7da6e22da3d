// The two in-memory IDEs of the test host.
#include "TestIdes.h"

#include <fmt/format.h>

#include "host/Connect.h"
#include "host/modMenus.h"
#include "host/model/ModelVBE.h"
#include "modelcom/ObjectModelServer.h"
#include "options/modSettings.h"
#include "platform/HeadlessPlatform.h"
#include "support/modGlobals.h"

namespace kv::testhost {

namespace {

constexpr VbStringView kModule1 =
    u"Option Explicit\r\nPrivate Sub Alpha()\r\nDim x As Integer\r\nIf x = 1 Then\r\nx = 2\r\n\r\n\r\nEnd If\r\n"
    u"Debug.Print \uFF08x\uFF09\r\nEnd Sub\r\nPublic Function Beta(ByVal y As Long) As Long\r\n"
    u"Beta = y + 1 ' one more\r\nEnd Function";
constexpr VbStringView kModule2 = u"Sub Gamma()\r\nSelect Case 1\r\nCase 1\r\nDebug.Print 1\r\nEnd Select\r\nEnd Sub";

struct Ide {
  Ide(bool chinese)
      : platform({}), vbe(platform, {.language = chinese ? model::Language::Chinese : model::Language::English}) {
    model::ModelProject& project = vbe.AddProject(u"Project1");
    module = &project.AddModule(u"Module1", kModule1);
    project.AddModule(u"Module2", kModule2);
    vbe.ActivateCodePane(&vbe.OpenCodePane(*module));
  }
  std::string Texts() {
    std::string all;
    for (auto* c : vbe.ActiveVBProject()->VBComponents()) {
      vbide::CodeModule& m = c->CodeModule();
      all += VbToUtf8(m.Lines(1, m.CountOfLines())) + "\n----\n";
    }
    if (vbide::CodePane* pane = vbe.ActiveCodePane()) {
      std::int32_t a, b, c, d;
      pane->GetSelection(a, b, c, d);
      all += fmt::format("caret {},{} - {},{}\n", a, b, c, d);
    }
    return all;
  }
  std::string Click(int n) {
    vbide::ControlPtr control = vbe.Bars().FindByParameter(CommandParameter(static_cast<std::int16_t>(n)));
    if (!control) return fmt::format("command {} has no control", n);
    try {
      vbe.Click(control);
    } catch (const std::exception& e) {
      return fmt::format("command {} raised {}", n, e.what());
    }
    return {};
  }

  platform::HeadlessPlatform platform;
  model::ModelVBE vbe;
  model::ModelComponent* module;
};

std::string StyleName(const model::ControlData& d) {
  if (d.type == vbide::ControlType::Popup) return "-";
  switch (d.style) {
    case vbide::ButtonStyle::Icon:
      return "icon";
    case vbide::ButtonStyle::Caption:
      return "caption";
    case vbide::ButtonStyle::IconAndCaption:
      return "icon and caption";
  }
  return "automatic";
}

}  // namespace

struct TestIdes::Impl {
  Impl(const std::filesystem::path& file, bool chinese)
      : served(chinese),
        reference(chinese),
        server(served.vbe),
        settings(file),
        g(reference.platform, settings),
        connect(g) {
    connect.AddinInstance_OnConnection(&reference.vbe);
  }
  Ide served, reference;
  modelcom::ObjectModelServer server;
  SettingsStore settings;
  Globals g;
  Connect connect;
};

TestIdes::TestIdes(const std::filesystem::path& settings, bool chinese)
    : impl_(std::make_unique<Impl>(settings, chinese)) {}
TestIdes::~TestIdes() = default;

IDispatch* TestIdes::Application() { return impl_->server.Application(); }

std::string TestIdes::Listing() {
  std::string out = "bar\tposition\tcaption\tFaceId\tstyle\tBeginGroup\tParameter\n";
  for (const model::ControlListing& entry : impl_->served.vbe.Bars().ListControls()) {
    const model::ControlData& d = entry.control->Data();
    if (d.tag != kTag) continue;
    bool popup = d.type == vbide::ControlType::Popup;
    out += fmt::format("{}\t{}\t{}\t{}\t{}\t{}\t{}\n", VbToUtf8(entry.path), entry.position, VbToUtf8(d.caption),
                       popup ? std::string("-") : std::to_string(d.faceId), StyleName(d), d.beginGroup ? "yes" : "no",
                       VbToUtf8(d.parameter));
  }
  return out;
}

std::size_t TestIdes::OurControls() {
  std::size_t n = 0;
  for (const model::ControlListing& entry : impl_->served.vbe.Bars().ListControls())
    n += entry.control->Data().tag == kTag;
  return n;
}

std::string TestIdes::Click(int n) {
  std::string a = impl_->served.Click(n), b = impl_->reference.Click(n);
  if (a != b) return a + " / reference: " + b;
  return a.empty() ? Compare() : a;
}

bool TestIdes::PressInReference(std::uint32_t modifiers, std::uint32_t vk) {
  return impl_->reference.platform.PressHotKey(modifiers, vk);
}

std::string TestIdes::Compare() {
  std::string a = impl_->served.Texts(), b = impl_->reference.Texts();
  return a == b ? std::string() : "served:\n" + a + "reference:\n" + b;
}

std::string TestIdes::Text() { return impl_->served.Texts(); }

void TestIdes::Select(std::int32_t startLine, std::int32_t endLine) {
  for (Ide* ide : {&impl_->served, &impl_->reference})
    ide->vbe.ActiveCodePane()->SetSelection(startLine, 1, endLine, 1);
}

void TestIdes::ShowCodePane(bool shown) {
  for (Ide* ide : {&impl_->served, &impl_->reference}) {
    ide->vbe.ActivateCodePane(shown ? &ide->vbe.OpenCodePane(*ide->module) : nullptr);
  }
}

std::string TestIdes::LastReferenceMessage() {
  const auto& boxes = impl_->reference.platform.MessageBoxes();
  return boxes.empty() ? std::string() : VbToUtf8(boxes.back().text);
}

}  // namespace kv::testhost
