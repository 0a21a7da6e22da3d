// Code pages: the bytes of a VB6 source file <-> the UTF-16 text of the IDE.
//
// VB6 writes its files in the ANSI code page of the machine (windows-1252 in
// the West, GBK in China...), and some teams keep theirs in UTF-8. Decoding is
// lossless or refused: whatever a code page decodes, it encodes back to the
// very same bytes, so a line that no command touched is written back byte for
// byte. Where that cannot hold (a byte sequence the code page does not define,
// or one that would come back differently), decoding fails at that byte.
//
// The conversions come from the build host's iconv, turned into tables at
// build time (CodePageTables.h), which makes them fast, lossless by
// construction, and the same on every system. In a single-byte code page
// the bytes iconv refuses (the five holes of windows-1252: 0x81, 0x8D, 0x8F,
// 0x90, 0x9D) decode to the control characters of the same number, as
// Windows itself decodes them; in a double-byte one (GBK, Big5, Shift_JIS) a
// pair counts only when iconv encodes its character back to that very pair.
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "support/text/VbText.h"

namespace kv::files {

// Bytes that cannot be decoded losslessly; `offset` counts from the start of
// the bytes handed to Decode.
class DecodeError : public std::runtime_error {
 public:
  DecodeError(std::size_t offset, const std::string& what) : std::runtime_error(what), offset_(offset) {}
  std::size_t Offset() const { return offset_; }

 private:
  std::size_t offset_;
};

// A character the code page has no bytes for; `offset` counts UTF-16 units
// from the start of the text handed to Encode.
class EncodeError : public std::runtime_error {
 public:
  EncodeError(std::size_t offset, const std::string& what) : std::runtime_error(what), offset_(offset) {}
  std::size_t Offset() const { return offset_; }

 private:
  std::size_t offset_;
};

class CodePage {
 public:
  // The code page a name stands for, matched without regard to case
  // ("windows-1252", "cp1252", "gbk", "cp936", "big5", "shift_jis", "utf-8"...),
  // or null when the name is unknown or the system lacks the conversion.
  static std::unique_ptr<CodePage> Open(std::string_view name);
  // The names Open knows, for messages and help.
  static std::vector<std::string> KnownNames();

  virtual ~CodePage() = default;
  // The canonical name ("windows-1252", "gbk", "utf-8"...).
  const std::string& Name() const { return name_; }
  bool IsUtf8() const { return name_ == "utf-8"; }

  // Appends the text of `bytes` to `out`. Throws DecodeError.
  virtual void Decode(std::string_view bytes, VbString& out) = 0;
  // Appends the bytes of `text` to `out`. Throws EncodeError.
  virtual void Encode(VbStringView text, std::string& out) = 0;

 protected:
  explicit CodePage(std::string name) : name_(std::move(name)) {}

 private:
  std::string name_;
};

// Whether the bytes are well-formed UTF-8 (no overlong forms, surrogates or
// values past U+10FFFF) and hold at least one non-ASCII character.
bool LooksLikeUtf8(std::string_view bytes);

// The UTF-8 byte-order mark.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace kv::files
