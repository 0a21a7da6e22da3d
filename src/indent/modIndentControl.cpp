// Placeholder: the indent commands arrive with their own change.
#include "indent/modIndentControl.h"

namespace kv {
void s_IndentProcedure(Globals&) {}
void s_IndentModule(Globals&) {}
void s_IndentProject(Globals&) {}
bool f_HasCodeModule(vbide::VBComponent&) { return false; }
bool f_HasCode(vbide::CodeModule&) { return false; }
}  // namespace kv
