// The add-in wired to Windows and to the IDE over COM.
#include "dll/AddinState.h"

#include <vector>

#include "com/ComObjectModel.h"
#include "host/Connect.h"
#include "options/modSettings.h"
#include "platform/Win32Platform.h"
#include "support/modGlobals.h"
#include "winui/WinUi.h"

namespace kv::dll {

struct AddinState::Impl {
  Impl() : settings(SettingsStore::DefaultPath()), g(platform, settings), connect(g) {
    windows = winui::InstallWindows(g);
  }

  platform::Win32Platform platform;
  SettingsStore settings;
  // The roots of every connection: click sinks of an earlier one may still
  // reach objects of its IDE.
  std::vector<std::unique_ptr<com::ComVBE>> roots;
  Globals g;
  kv::Connect connect;
  // The options, about and progress windows; they go before the state.
  std::unique_ptr<winui::InstalledWindows> windows;
};

AddinState::AddinState() : impl_(std::make_unique<Impl>()) {}

AddinState::~AddinState() = default;

void AddinState::Connect(IDispatch* application, std::int32_t mode) {
  std::unique_ptr<com::ComVBE> root = application ? std::make_unique<com::ComVBE>(application) : nullptr;
  if (root) {
    ResumeNext([&] { impl_->platform.SetOwner(root->MainWindowHandle()); });
  }
  impl_->connect.AddinInstance_OnConnection(root.get(), static_cast<ConnectMode>(mode));
  if (root) impl_->roots.push_back(std::move(root));
}

void AddinState::Disconnect(std::int32_t mode) {
  impl_->connect.AddinInstance_OnDisconnection(static_cast<DisconnectMode>(mode));
}

}  // namespace kv::dll
