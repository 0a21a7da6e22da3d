// The base protocol of the language server: messages framed by a
// Content-Length header, read from and written to byte streams.
//
// A header block that names no usable length is reported as such and the
// reader moves on to the next block, so a client's framing mistake costs one
// message, never the connection. A header line may follow the remains of a
// too-short body on the same line; the length is still found there.
#pragma once

#include <iosfwd>
#include <string>

#include <nlohmann/json.hpp>

namespace kv::cli::lsp {

struct Incoming {
  enum class Kind { Message, BadHeader, End };
  Kind kind = Kind::End;
  std::string body;     // Message: exactly the bytes the header announced
  std::string problem;  // BadHeader: what was wrong
};

// The largest body accepted; a larger announced length is a bad header.
inline constexpr std::size_t kMaxBody = 256u << 20;

// The next message. End at the end of the stream, also in the middle of a
// header block or a body.
Incoming ReadMessage(std::istream& in);

// Writes one message and flushes it. Text that is not valid UTF-8 is
// replaced, so the output is always valid JSON.
void WriteMessage(std::ostream& out, const nlohmann::json& message);

}  // namespace kv::cli::lsp
