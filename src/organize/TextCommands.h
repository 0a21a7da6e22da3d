// The whole-module text commands: each rewrites the current module's text in
// memory and writes it back with one whole-text replacement.
//
// Delete blank lines (3) and merge runs of blank lines (4) work on whole
// lines. The punctuation conversion (20) and the scope swaps (21, 22) read the
// text as VB does (organize/VbLineScanner.h): string literals keep a program's
// own text, and the scope swaps touch neither comments nor longer words.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

#include "organize/modOrganize.h"

namespace kv {

void s_DeleteBlankLines(CommandContext& ctx);         // command 3
void s_MergeBlankLines(CommandContext& ctx);          // command 4
void s_ChineseSymbolsToEnglish(CommandContext& ctx);  // command 20
void s_PrivateToPublic(CommandContext& ctx);          // command 21
void s_PublicToPrivate(CommandContext& ctx);          // command 22
void s_TrimSpaces(CommandContext& ctx);               // command 13

// The headers that command 3 sets apart with one empty line, in their order
// and letter case.
inline constexpr std::array<VbStringView, 8> kBreakKeywords = {
    u"Private Sub",      u"Public Sub",      u"Private Function", u"Public Function",
    u"Private Property", u"Public Property", u"Private Type",     u"Public Type",
};

// The full-width punctuation of command 20 and its ASCII counterpart, in the
// order of conversion. The em dash becomes an underscore.
struct PunctuationPair {
  char16_t from;
  char16_t to;
};
inline constexpr std::array<PunctuationPair, 10> kPunctuationTable = {{
    {u'\uFF08', u'('},
    {u'\uFF09', u')'},
    {u'\u201C', u'"'},
    {u'\u201D', u'"'},
    {u'\uFF1E', u'>'},
    {u'\uFF1C', u'<'},
    {u'\uFF0C', u','},
    {u'\u2014', u'_'},
    {u'\u2018', u'\''},
    {u'\u2019', u'\''},
}};

// Called with each line index while a command walks the module's lines.
using LineStep = std::function<void(std::int32_t index)>;
// Shows the progress window over the lines of the prepared module text
// (0 to the last line's index) and hands out the step that moves it.
LineStep ShowLineProgress(CommandContext& ctx);

// Puts an empty line above every line that begins with one of the keywords
// (after leading blanks or tabs) as whole words, followed by a blank, a tab,
// "(" or the end of the line, in code that begins a statement; the keyword
// takes the letter case of the list and the line keeps its indentation. A
// first line so found makes the text begin with CR LF. Keywords inside
// comments, literals, continued statements or longer words stay as they are.
VbString f_BreakBefore(VbStringView text, std::span<const VbStringView> keywords);
VbString f_BreakBefore(VbStringView text, VbStringView keyword);

// The text transformations of the commands, apart from progress and the
// write-back. Each line of the result of 3 and 4 ends with CR LF. Command 3
// keeps a blank line that a line ending in " _" continues into, since it
// belongs to that statement or comment.
VbString f_DeleteBlankLines(VbStringView text, clsStringBuilder& builder, const LineStep& step = nullptr);
VbString f_DeleteBlankLines(VbStringView text);
VbString f_MergeBlankLines(VbStringView text, clsStringBuilder& builder, const LineStep& step = nullptr);
VbString f_MergeBlankLines(VbStringView text);
// Converts the punctuation of the table in code and comments, never inside a
// string literal.
VbString f_ChineseSymbolsToEnglish(VbStringView text);
// Replaces the keyword `from` (any letter case) by `to` where it stands as a
// whole word in code; `Option Private Module` keeps its word.
// Every line without its leading and trailing blanks and tabs: flat code,
// ready to be indented again.
VbString f_TrimSpaces(VbStringView text);
VbString f_ReplaceScopeWord(VbStringView text, VbStringView from, VbStringView to);

}  // namespace kv
