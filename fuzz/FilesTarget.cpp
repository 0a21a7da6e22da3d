// Fuzz target: a module file's bytes -> the model IDE -> bytes.
//
// Input: one byte for the file kind (.bas, .cls, .frm, .ctl, .pag, .dob,
// .dsr), one for the ANSI code page the file is read in, one for a command
// run on the loaded module (or none), one for the caret line, then the
// file's bytes.
//
// A file the reader refuses leaves nothing behind; a file it takes is written
// back byte for byte while no command changed it. After a command, the bytes
// written read back as the code the module then holds, with the same hidden
// parts.
#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "FuzzSupport.h"
#include "Invariants.h"
#include "Targets.h"
#include "files/HiddenParts.h"
#include "files/ModelLoader.h"
#include "files/SafeFile.h"
#include "organize/modOrganize.h"

namespace kv::fuzz {

namespace {

using vbide::ComponentType;

constexpr std::array<ComponentType, 7> kKinds = {ComponentType::StdModule,   ComponentType::ClassModule,
                                                 ComponentType::VBForm,      ComponentType::UserControl,
                                                 ComponentType::PropPage,    ComponentType::DocObject,
                                                 ComponentType::ActiveXDesigner};

// 0: no command.
constexpr std::array<std::int16_t, 10> kCommands = {
    0,   cmd::kIndentModule, cmd::kDeleteBlankLines, cmd::kMergeBlankLines, cmd::kChineseToEnglish,
    cmd::kPrivateToPublic,   cmd::kPublicToPrivate,  cmd::kFold,            cmd::kUnfoldAll,
    cmd::kIndentProcedure};

// Every code page the reader knows, each opened once for the process.
std::vector<files::CodePage*>& CodePages() {
  static std::vector<std::unique_ptr<files::CodePage>> owned;
  static std::vector<files::CodePage*> pages;
  if (pages.empty()) {
    for (const std::string& name : files::CodePage::KnownNames()) {
      auto page = files::CodePage::Open(name);
      if (!page) continue;
      bool known = std::any_of(pages.begin(), pages.end(), [&](auto* p) { return p->Name() == page->Name(); });
      if (known) continue;
      pages.push_back(page.get());
      owned.push_back(std::move(page));
    }
  }
  return pages;
}

files::CodePage& Utf8() {
  static const std::unique_ptr<files::CodePage> page = files::CodePage::Open("utf-8");
  return *page;
}

std::vector<VbString> AttributeLines(const files::HiddenParts& hidden) {
  std::vector<VbString> out;
  for (const auto& group : hidden.attributes) out.insert(out.end(), group.lines.begin(), group.lines.end());
  std::sort(out.begin(), out.end());
  return out;
}

// The line without its blanks and tabs.
VbString WithoutWhite(VbStringView line) {
  VbString out;
  for (char16_t c : line) {
    if (!IsWhite(c)) out.push_back(c);
  }
  return out;
}

// Whether some attribute group anchored by the text of the line it followed
// finds that text nowhere in the code, white space aside.
bool AnchorGone(const files::HiddenParts& hidden, const std::vector<VbString>& code) {
  for (const auto& group : hidden.attributes) {
    if (group.kind) continue;
    const VbString anchor = WithoutWhite(group.anchorText);
    if (std::none_of(code.begin(), code.end(), [&](const VbString& l) { return WithoutWhite(l) == anchor; })) {
      return true;
    }
  }
  return false;
}

// Whether the reader would take some of these code lines for hidden parts.
bool ReadsAsHidden(const std::vector<VbString>& code) {
  const std::vector<VbStringView> views(code.begin(), code.end());
  try {
    return files::SplitHiddenParts(views).code.size() != code.size();
  } catch (const files::HiddenPartsError&) {
    return true;
  }
}

}  // namespace

void FuzzFiles(std::string_view data) {
  FuzzInput in(data);
  const ComponentType kind = kKinds[in.Byte() % kKinds.size()];
  files::CodePage& ansi = *CodePages()[in.Byte() % CodePages().size()];
  const std::int16_t command = kCommands[in.Byte() % kCommands.size()];
  const std::uint8_t caretByte = in.Byte();
  const std::string bytes(in.Rest());

  const std::filesystem::path settingsFile = SettingsFileForInput();
  WriteSettingsFile(settingsFile, {});
  Ide ide(settingsFile);
  model::ModelProject& project = ide.vbe.AddProject(u"Project1");
  files::ModelLoader loader(ide.vbe, ansi, true);

  files::LoadedModule* loaded = nullptr;
  try {
    loaded = &loader.AddModuleBytes(project, bytes, kind, "fuzz", u"Fuzz");
  } catch (const files::FileError& e) {
    // Refused: said why, and nothing of the file was taken in.
    if (std::string_view(e.what()).empty()) Fail("a refused file was refused without a reason");
    if (!loader.Modules().empty() || !project.Components().empty()) Fail("a refused file was half read");
    return;
  }

  // Untouched, the file is written back byte for byte.
  model::ModelCodeModule& code = loaded->component->Code();
  std::string again;
  try {
    again = files::EncodeModuleFile(loaded->file, code.AllLines().Strings());
  } catch (const files::FileError& e) {
    Fail(std::string("a file read without a change cannot be written back: ") + e.what());
  }
  if (again != bytes) {
    std::size_t at = 0;
    while (at < again.size() && at < bytes.size() && again[at] == bytes[at]) ++at;
    Fail("a file read without a change is written back differently from byte " + std::to_string(at) + " on (in " +
         ansi.Name() + ")");
  }
  if (loader.Render(*loaded)) Fail("a file read without a change would be written");
  if (command == 0) return;

  model::ModelCodePane& pane = ide.vbe.OpenCodePane(*loaded->component);
  const auto count = std::max<std::int32_t>(1, static_cast<std::int32_t>(code.AllLines().size()));
  const std::int32_t caret = 1 + caretByte % count;
  pane.Select({caret, 1, caret, 1});
  ide.vbe.ActivateCodePane(&pane);
  s_RunCommand(ide.g, command);  // a fold outside a procedure is refused, and changes nothing

  std::optional<std::string> written;
  try {
    written = loader.Render(*loaded);
  } catch (const files::FileError& e) {
    // Refusing to write is right when a command removed the line an
    // attribute group stood under (command 3 deleting the blank line of an
    // attribute that followed one); the file is then reported, not written.
    if (!AnchorGone(loaded->file.hidden, code.AllLines().Strings())) {
      Fail("command " + std::to_string(command) + " left a module that cannot be written: " + e.what());
    }
    return;
  }
  if (!written) return;
  // Each read decides the code page anew from the bytes. A command can change
  // the verdict: removing the blanks or the blank line in front of bytes that
  // read as a UTF-8 byte-order mark, or, for a file read in an ANSI code page,
  // converting the only characters that kept its bytes from being valid
  // UTF-8. Such a file is then read as UTF-8 (or refused, never changed);
  // that is the reader's rule.
  const bool nowUtf8 = written->starts_with(files::kUtf8Bom) || files::LooksLikeUtf8(*written);
  if ((!loaded->file.page->IsUtf8() && nowUtf8) || written->starts_with(files::kUtf8Bom) != loaded->file.bom) return;
  // Likewise code that comes to read as hidden parts: a line indentation
  // moved to the margin that reads as an Attribute line (" Attribute x = 1"),
  // or an "Object =" or "Begin" line that deleting the blank lines above it
  // brought to the top. The next read hides them (or refuses a Begin without
  // its End); VB code cannot hold such statements.
  if (ReadsAsHidden(code.AllLines().Strings())) return;
  files::DecodedModule back;
  try {
    back = files::DecodeModuleFile(*written, kind, ansi, Utf8());
  } catch (const files::FileError& e) {
    Fail(std::string("the bytes written cannot be read back: ") + e.what());
  }
  std::vector<VbString> now = code.AllLines().Strings();
  // A file without a final line end cannot end in an empty line: the line
  // end before it is then the last thing in the file, and ends the line
  // before. An empty line at the end of the code is no loss.
  if (!loaded->file.ends.finalLineEnd && !now.empty() && now.back().empty() && back.code.size() + 1 == now.size()) {
    now.pop_back();
  }
  if (back.code.size() != now.size()) Fail("the bytes written read back as " + Show(back.code) + ", not " + Show(now));
  for (std::size_t i = 0; i < now.size(); ++i) ExpectLine(now[i], back.code[i], i, "the bytes written, read back");
  if (back.file.hidden.header != loaded->file.hidden.header) Fail("the hidden header changed on its way back");
  if (AttributeLines(back.file.hidden) != AttributeLines(loaded->file.hidden)) {
    Fail("the attribute lines changed on their way back: " + Show(AttributeLines(back.file.hidden)));
  }
}

}  // namespace kv::fuzz
