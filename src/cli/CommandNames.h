// The menu commands by number and by the names the command line gives them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kv::cli {

struct CommandName {
  std::int16_t number;
  std::string_view name;
  std::string_view summary;
};

// Every named command, by number.
std::span<const CommandName> CommandNames();
// A command by name (any letter case) or number (one beyond 16 bits stands
// as the nearest 16-bit number); nothing when it is neither.
std::optional<std::int16_t> ParseCommand(std::string_view text);

}  // namespace kv::cli
