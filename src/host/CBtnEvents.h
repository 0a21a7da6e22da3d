// The click sink of one command-bar control: turns a click into a command
// number and runs the dispatcher.
//
// The IDE may raise one click on many sinks (every sink whose control shares
// the clicked control's tag, those of earlier connections included). A sink
// acts only when the clicked control is its own, so one click runs its
// command exactly once.
#pragma once

#include <cstdint>
#include <memory>

#include "host/VBIDE.h"

namespace kv {

class Globals;

class CBtnEvents : public vbide::CommandBarEventsSink {
 public:
  explicit CBtnEvents(Globals& g);
  ~CBtnEvents() override;
  CBtnEvents(const CBtnEvents&) = delete;
  CBtnEvents& operator=(const CBtnEvents&) = delete;

  const std::shared_ptr<vbide::CommandBarEvents>& oHook() const { return oHook_; }
  // Connects the sink to the click events of `control` (and disconnects it
  // from those it had).
  void SetOHook(std::shared_ptr<vbide::CommandBarEvents> events, vbide::ControlPtr control);

  // The click event: runs the command whose number the clicked control's
  // Parameter carries. A Parameter that holds no 16-bit number raises the
  // conversion error out of the event and nothing runs; an error inside the
  // command is reported by the add-in and does not reach the IDE.
  void Click(vbide::CommandBarControl& control, bool& handled, bool& cancelDefault) override;

 private:
  Globals& g_;
  std::shared_ptr<vbide::CommandBarEvents> oHook_;
  vbide::ControlPtr control_;
};

// The command number in a control's Parameter: every "s_OrganizeModule ("
// (any letter case) and every ")" removed, the rest converted the way VB
// converts text to an Integer. Throws VbError 13 (type mismatch) when the
// rest is not a number and 6 (overflow) when it does not fit 16 bits.
std::int16_t f_CommandOfParameter(VbStringView parameter);

// VB's conversion of text to a 16-bit Integer (CInt): blanks around the
// number are accepted, as are a sign, a fraction, an exponent (E or D) and the
// &H / &O forms; a fraction rounds half to even. Throws VbError 13 or 6.
std::int16_t f_TextToInteger(VbStringView text);

}  // namespace kv
