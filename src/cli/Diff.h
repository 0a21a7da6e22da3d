// A unified diff of a file's bytes before and after, line by line, with
// three lines of context. Lines are compared as bytes, in the file's own code
// page and with their CR, so the diff shows exactly what would be written.
#pragma once

#include <string>
#include <string_view>

namespace kv::cli {

// Empty when the texts are equal.
std::string UnifiedDiff(std::string_view before, std::string_view after, std::string_view oldName,
                        std::string_view newName);

}  // namespace kv::cli
