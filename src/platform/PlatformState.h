// The headless platform's state, shared by the files that implement it: the
// windows and the procedure table, the focus, the hot keys, the input queue,
// and what was recorded for tests (message boxes, sleeps, opened URLs).
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <utility>

#include "platform/HeadlessPlatform.h"

namespace kv::platform {

struct HeadlessPlatform::WindowRecord {
  std::string className;
  ProcAddress proc = 0;  // the current window procedure's address
  bool visible = false;  // windows start hidden
};

struct HeadlessPlatform::State {
  Options options;

  // Handles and procedure addresses are handed out from counters and never
  // reused, so a stale handle or address stays invalid.
  std::map<HWND, WindowRecord> windows;
  HWND nextWindow = 0x00010010;
  // Procedures are held by shared_ptr so that a procedure running while the
  // table changes (it may call CreateWindowA or AddressOf) stays alive.
  std::map<ProcAddress, std::shared_ptr<const WindowProc>> procs;
  ProcAddress nextProc = 0x00401000;
  HWND focus = 0;

  std::vector<HotKey> hotKeys;                                    // in registration order
  std::vector<std::pair<std::uint32_t, std::uint32_t>> reserved;  // (modifiers, vk) held by other programs

  std::deque<KeyEvent> pending;  // waiting for DoEvents
  std::vector<KeyEvent> inputLog;
  std::vector<std::uint32_t> sleeps;
  std::uint32_t clock = 0;

  // Profile files without a Windows directory, by their lower-case name.
  std::map<std::string, std::string> profileFiles;

  std::vector<MessageBoxRecord> boxes;
  MessageBoxPresenter presenter;
  std::vector<std::string> urls;
  UrlOpener opener;

  WindowRecord* Find(HWND window) {
    auto it = windows.find(window);
    return it == windows.end() ? nullptr : &it->second;
  }
};

}  // namespace kv::platform
