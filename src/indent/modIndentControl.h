// The indent commands: Indent Procedure, Indent Module and Indent Project,
// with the tests they share.
#pragma once

#include "host/VBIDE.h"

namespace kv {

class Globals;

void s_IndentProcedure(Globals& g);
void s_IndentModule(Globals& g);
void s_IndentProject(Globals& g);
// Whether reading the component's code module (its line count) succeeds.
bool f_HasCodeModule(vbide::VBComponent& component);
// Whether some line of the module is not blank.
bool f_HasCode(vbide::CodeModule& module);

}  // namespace kv
