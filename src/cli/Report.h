// The JSON report of a kestrova run (--report FILE):
//
//   {"messages": [{"title": "Kestrovaer", "text": "..."}],
//    "selection": [startLine, startColumn, endLine, endColumn],
//    "changed": true,
//    "files": [{"path": "Src/modMain.bas", "changed": true, "lines": 120}]}
//
// messages are every message box shown, in order (a box without a title of
// its own has "title": null); selection is the active code pane's after the
// last command (null without one); changed tells whether any file changes;
// lines is the number of lines of the file after the command.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "support/modGlobals.h"

namespace kv::cli {

struct FileReport {
  std::string path;
  bool changed = false;
  std::size_t lines = 0;
};

struct Report {
  std::vector<platform::MessageBoxRecord> messages;
  std::optional<Selection> selection;
  std::vector<FileReport> files;

  bool Changed() const;
  std::string Json() const;
};

}  // namespace kv::cli
