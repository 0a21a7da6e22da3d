// The statement classifier: how many blocks one statement opens and how many
// it closes.
//
// It looks only at the head of a statement, with two exceptions that need
// more: statements beginning with If or #If, whose block or single-line form
// depends on what follows their Then (possibly lines later, across line
// continuations), and the members of Type and Enum blocks, which are never
// counted whatever their names. Two flags of the add-in's lifetime carry that
// knowledge from one statement to the next (IfContinues, InTypeOrEnum), so
// statements must be classified in the order they stand in the module.
//
// The classifier reads and writes no code module and knows nothing of
// indentation widths; the indentation routine turns the counts into levels.
#pragma once

#include <cstdint>

#include "indent/KeywordTables.h"
#include "support/modGlobals.h"
#include "support/text/VbText.h"

namespace kv {

// Classifies one statement. `statement` is its text as the line holds it: it
// may carry white space around it, never a trailing comment, and ends with
// its ": " separator's colon when another statement follows on the line (so
// "If a Then:" is seen to go on, as VB reads it). `opens` and `closes` are
// always set, from 0. `afterHeader` is set to true on a procedure, Type or
// Enum head and never set to false here.
void f_ClassifyStatement(const KeywordTables& tables, IndentFlags& flags, VbStringView statement,
                         std::int16_t& opens, std::int16_t& closes, bool& afterHeader);

// The conditional-compilation directives that delimit a block's branches.
enum class Directive : std::uint8_t { None, If, ElseIf, Else, EndIf };
// Which directive the statement is, by the keyword test.
Directive f_DirectiveOf(VbStringView statement);

// Whether the text, without its trailing blanks, ends with a line
// continuation: white space and an underscore.
bool f_EndsWithContinuation(VbStringView text);

}  // namespace kv
