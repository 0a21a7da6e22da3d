// A module file: bytes to code and back.
#include "files/ModuleFile.h"

#include <cstring>

#include <fmt/format.h>

#include "files/SafeFile.h"

namespace kv::files {

std::uint64_t HashBytes(std::string_view bytes) {
  // FNV-1a over 8-byte words, then the tail: fast and well spread.
  std::uint64_t h = 0xcbf29ce484222325ull;
  constexpr std::uint64_t kPrime = 0x100000001b3ull;
  std::size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    std::uint64_t w;
    std::memcpy(&w, bytes.data() + i, 8);
    h = (h ^ w) * kPrime;
    h ^= h >> 29;
  }
  for (; i < bytes.size(); ++i) h = (h ^ static_cast<unsigned char>(bytes[i])) * kPrime;
  return h ^ bytes.size();
}

SourceText DecodeSourceText(std::string_view bytes, CodePage& ansi, CodePage& utf8) {
  SourceText out;
  std::string_view body = bytes;
  if (body.starts_with(kUtf8Bom)) {
    out.bom = true;
    body.remove_prefix(kUtf8Bom.size());
    out.page = &utf8;
  } else {
    out.page = LooksLikeUtf8(body) ? &utf8 : &ansi;
  }
  out.text.reserve(body.size());
  try {
    out.page->Decode(body, out.text);
  } catch (const DecodeError& e) {
    throw FileError(fmt::format("cannot be read losslessly in {}: byte offset {}: {}", out.page->Name(),
                                e.Offset() + (out.bom ? kUtf8Bom.size() : 0), e.what()));
  }
  return out;
}

ModuleFile DecodeModuleFile(std::string_view bytes, vbide::ComponentType type, CodePage& ansi, CodePage& utf8,
                            VbString& text, std::vector<VbStringView>& code) {
  CheckSourceBytes(bytes);
  ModuleFile f;
  f.type = type;
  f.hash = HashBytes(bytes);
  f.size = bytes.size();
  SourceText source = DecodeSourceText(bytes, ansi, utf8);
  f.page = source.page;
  f.bom = source.bom;
  text = std::move(source.text);
  SplitText split = SplitLines(text);
  f.ends = std::move(split.ends);
  SplitModule parts;
  try {
    parts = SplitHiddenParts(split.lines);
  } catch (const HiddenPartsError& e) {
    throw FileError(e.what());
  }
  f.hidden = std::move(parts.hidden);
  if (f.type == vbide::ComponentType::VBForm && f.hidden.mdiForm) f.type = vbide::ComponentType::VBMDIForm;
  code = std::move(parts.code);
  return f;
}

DecodedModule DecodeModuleFile(std::string_view bytes, vbide::ComponentType type, CodePage& ansi, CodePage& utf8) {
  DecodedModule out;
  VbString text;
  std::vector<VbStringView> code;
  out.file = DecodeModuleFile(bytes, type, ansi, utf8, text, code);
  out.code.assign(code.begin(), code.end());
  return out;
}

std::string EncodeModuleFile(const ModuleFile& file, const std::vector<VbString>& code) {
  return EncodeModuleFile(file, std::vector<VbStringView>(code.begin(), code.end()));
}

std::string EncodeModuleFile(const ModuleFile& file, const std::vector<VbStringView>& code) {
  std::vector<VbStringView> lines;
  try {
    lines = AssembleModule(file.hidden, code);
  } catch (const HiddenPartsError& e) {
    throw FileError(e.what());
  }
  std::string out;
  out.reserve(file.size + file.size / 8 + 64);
  if (file.bom) out.append(kUtf8Bom);
  LineEndWriter ends(file.ends, lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    try {
      file.page->Encode(lines[i], out);
    } catch (const EncodeError& e) {
      throw FileError(fmt::format("cannot be written in {}: line {}, column {}: {}", file.page->Name(), i + 1,
                                  e.Offset() + 1, e.what()));
    }
    VbStringView end = ends.EndOf(i);
    // A line whose text ends in a CR takes CR LF: after a bare LF the reader
    // would take its CR for part of the line end and drop it.
    if (end == u"\n" && lines[i].ends_with(u'\r')) end = u"\r\n";
    for (char16_t c : end) out.push_back(static_cast<char>(c));
  }
  return out;
}

}  // namespace kv::files
