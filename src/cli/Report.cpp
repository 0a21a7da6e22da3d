// The JSON report.
#include "cli/Report.h"

#include <nlohmann/json.hpp>

namespace kv::cli {

bool Report::Changed() const {
  for (const FileReport& f : files) {
    if (f.changed) return true;
  }
  return false;
}

std::string Report::Json() const {
  nlohmann::ordered_json j;
  j["messages"] = nlohmann::ordered_json::array();
  for (const auto& box : messages) {
    nlohmann::ordered_json m;
    // A box without a title of its own (an error the IDE reports) still
    // comes from the add-in, and is shown under its title.
    m["title"] = VbToUtf8(box.title.value_or(VbString(kMessageTitle)));
    m["text"] = VbToUtf8(box.text);
    j["messages"].push_back(std::move(m));
  }
  if (selection) {
    j["selection"] = {selection->startLine, selection->startColumn, selection->endLine, selection->endColumn};
  } else {
    j["selection"] = nullptr;
  }
  j["changed"] = Changed();
  j["files"] = nlohmann::ordered_json::array();
  for (const FileReport& f : files) {
    // A path that is not UTF-8 is shown with replacement characters rather
    // than failing the report.
    j["files"].push_back({{"path", VbToUtf8(U(f.path))}, {"changed", f.changed}, {"lines", f.lines}});
  }
  return j.dump(2) + "\n";
}

}  // namespace kv::cli
