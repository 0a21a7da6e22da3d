// A module file as bytes <-> its code as the IDE's code window shows it.
//
// Reading: the size and NUL checks, the choice of code page (a UTF-8 byte-order
// mark, or bytes that are valid UTF-8 and not all ASCII, make a UTF-8 file;
// anything else is read in the ANSI code page given), lossless decoding, the
// line ends, and the hidden parts taken out. Writing is the same road back;
// since decoding is lossless, a file whose code no command changed gives back
// its very bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/CodePage.h"
#include "files/HiddenParts.h"
#include "files/LineEnds.h"
#include "host/VBIDE.h"

namespace kv::files {

// What a module file holds besides its code, kept for writing it back.
struct ModuleFile {
  vbide::ComponentType type = vbide::ComponentType::StdModule;
  CodePage* page = nullptr;  // the code page it was read in
  bool bom = false;
  LineEnds ends;
  HiddenParts hidden;
  std::uint64_t hash = 0;  // of the bytes as read
  std::size_t size = 0;
};

struct DecodedModule {
  ModuleFile file;
  std::vector<VbString> code;
};

// A fingerprint of bytes, to tell whether a file's bytes change.
std::uint64_t HashBytes(std::string_view bytes);

// The text of a source file (a module or a project): its code page chosen
// and its bytes decoded losslessly.
struct SourceText {
  VbString text;
  CodePage* page = nullptr;
  bool bom = false;
};
// A UTF-8 byte-order mark, or bytes that are valid UTF-8 and not all ASCII,
// read in `utf8`; anything else in `ansi`. Throws FileError naming the code
// page and the byte offset where lossless decoding fails.
SourceText DecodeSourceText(std::string_view bytes, CodePage& ansi, CodePage& utf8);

// Decodes a module file's bytes. `ansi` reads files that are not UTF-8, `utf8`
// those that are. Throws FileError naming the byte offset where lossless
// decoding fails, or what else is wrong.
DecodedModule DecodeModuleFile(std::string_view bytes, vbide::ComponentType type, CodePage& ansi, CodePage& utf8);
// The same without a string per line: `text` receives the decoded file and
// `code` its code lines, as views into `text`.
ModuleFile DecodeModuleFile(std::string_view bytes, vbide::ComponentType type, CodePage& ansi, CodePage& utf8,
                            VbString& text, std::vector<VbStringView>& code);

// The bytes of the file with the given code. Throws FileError (a character
// the code page cannot write, an Attribute line whose statement is gone).
std::string EncodeModuleFile(const ModuleFile& file, const std::vector<VbStringView>& code);
std::string EncodeModuleFile(const ModuleFile& file, const std::vector<VbString>& code);

}  // namespace kv::files
