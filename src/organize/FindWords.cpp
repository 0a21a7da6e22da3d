// Finding a word: the previous occurrence, or all of them in the project.
#include "organize/FindWords.h"

#include "indent/modIndentControl.h"
#include "organize/VbLineScanner.h"

namespace kv {

namespace {

bool IsName(VbStringView text) {
  if (text.empty()) return false;
  for (char16_t c : text) {
    if (!IsVbIdentifierChar(c)) return false;
  }
  return true;
}

// The word of the command: the selection on one line, else the name at the
// caret. Empty when there is none.
VbString WordOfCommand(CommandContext& ctx, const Selection& s) {
  const VbString line = ctx.module.Lines(s.startLine, 1);
  if (s.startLine == s.endLine && s.endColumn > s.startColumn) {
    const auto from = static_cast<std::size_t>(std::max(s.startColumn, 1) - 1);
    if (from < line.size()) {
      VbString selected(TrimView(VbStringView(line).substr(from, static_cast<std::size_t>(s.endColumn - s.startColumn))));
      if (IsName(selected)) return selected;
    }
  }
  return f_WordAt(line, s.startColumn);
}

void NoWordMessage(Globals& g) { g.Message(g.Text(u"There is no word at the caret.", u"光标处没有单词。")); }

}  // namespace

std::vector<WordHit> f_FindWord(VbStringView text, VbStringView word) {
  std::vector<WordHit> hits;
  VbLineState state;
  ForEachCrLfLine(text, [&](VbStringView line, std::size_t index) {
    ScanVbLine(line, state, [&](const VbPiece& p) {
      if (p.kind == VbPieceKind::Word && EqualsNoCase(p.text, word)) {
        hits.push_back({static_cast<std::int32_t>(index + 1), static_cast<std::int32_t>(p.text.data() - line.data() + 1)});
      }
    });
  });
  return hits;
}

VbString f_WordAt(VbStringView line, std::int32_t column) {
  if (column < 1) return {};
  auto at = static_cast<std::size_t>(column - 1);
  if (at >= line.size() || !IsVbIdentifierChar(line[at])) {
    if (at == 0 || at > line.size() || !IsVbIdentifierChar(line[at - 1])) return {};
    --at;  // the caret stands right after the word
  }
  std::size_t from = at, to = at + 1;
  while (from > 0 && IsVbIdentifierChar(line[from - 1])) --from;
  while (to < line.size() && IsVbIdentifierChar(line[to])) ++to;
  return VbString(line.substr(from, to - from));
}

void s_FindPrevious(CommandContext& ctx) {
  Globals& g = ctx.g;
  const Selection s = s_GetSelection(g);
  const VbString word = WordOfCommand(ctx, s);
  if (word.empty()) return NoWordMessage(g);
  const std::int32_t count = ctx.module.CountOfLines();
  const std::vector<WordHit> hits = f_FindWord(ctx.module.Lines(1, count), word);
  // The occurrence the caret stands in (or the selection covers) is not a
  // previous one.
  auto before = [&](const WordHit& h) {
    return h.line < s.startLine ||
           (h.line == s.startLine && h.column + static_cast<std::int32_t>(word.size()) < s.startColumn);
  };
  auto here = [&](const WordHit& h) {
    return h.line == s.startLine && h.column <= s.startColumn &&
           s.startColumn <= h.column + static_cast<std::int32_t>(word.size());
  };
  const WordHit* found = nullptr;
  for (const WordHit& h : hits) {
    if (before(h) && !here(h)) found = &h;
  }
  bool wrapped = false;
  if (!found) {
    for (auto it = hits.rbegin(); it != hits.rend(); ++it) {
      if (!here(*it)) {
        found = &*it;
        wrapped = true;
        break;
      }
    }
  }
  if (!found) {
    g.Message(VbString(g.Text(u"No other occurrence of '", u"未找到“")) + word + VbString(g.Text(u"'.", u"”的其他位置。")));
    return;
  }
  g.SavedSelection = {found->line, found->column, found->line, found->column + static_cast<std::int32_t>(word.size())};
  if (wrapped) {
    g.Message(g.Text(u"Reached the top of the module; went on from its end.", u"已到模块顶部，从模块末尾继续查找。"));
  }
}

void s_FindAll(CommandContext& ctx) {
  Globals& g = ctx.g;
  const VbString word = WordOfCommand(ctx, s_GetSelection(g));
  g.foundWords.clear();
  if (word.empty()) return NoWordMessage(g);
  s_ForEachProjectModule(g, [&](vbide::VBComponent& component, vbide::CodeModule&, const VbString& text,
                               std::int32_t) {
    const std::vector<WordHit> hits = f_FindWord(text, word);
    if (hits.empty()) return;
    const std::vector<VbStringView> lines = SplitCrLf(text);
    const VbString name = component.Name();
    for (const WordHit& h : hits) {
      g.foundWords.push_back({name, h.line, h.column, VbString(lines[static_cast<std::size_t>(h.line - 1)]),
                              static_cast<std::int32_t>(word.size())});
    }
  });
  if (g.foundWords.empty()) {
    g.Message(VbString(g.Text(u"No occurrence of '", u"未找到“")) + word + VbString(g.Text(u"'.", u"”。")));
  }
}

bool s_ShowFoundWord(Globals& g, const FoundWord& hit) {
  vbide::VBProject* project = f_VBE(g).ActiveVBProject();
  if (!project) return false;
  for (vbide::VBComponent* component : project->VBComponents()) {
    if (!f_HasCodeModule(*component) || component->Name() != hit.module) continue;
    vbide::CodePane& pane = component->CodeModule().CodePane();
    pane.Show();
    pane.SetSelection(hit.line, hit.column, hit.line, hit.column + hit.length);
    return true;
  }
  return false;
}

}  // namespace kv
