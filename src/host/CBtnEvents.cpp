// The click sink of a command-bar control and the conversion of its
// Parameter text into a command number.
#include "host/CBtnEvents.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "organize/modOrganize.h"
#include "support/modGlobals.h"

namespace kv {

namespace {

constexpr VbStringView kParameterPrefix = u"s_OrganizeModule (";

[[noreturn]] void TypeMismatch() { Raise(vberr::kTypeMismatch, u"Type mismatch"); }
[[noreturn]] void Overflow() { Raise(vberr::kOverflow, u"Overflow"); }

int DigitValue(char16_t c, int radix) {
  int v = -1;
  if (IsAsciiDigit(c)) v = c - u'0';
  else if (AsciiUpper(c) >= u'A' && AsciiUpper(c) <= u'F') v = AsciiUpper(c) - u'A' + 10;
  return v < radix ? v : -1;
}

std::int16_t Narrow(double value) {
  // Halves go to the even neighbour, as VB rounds.
  double rounded = std::nearbyint(value);
  if (!(rounded >= std::numeric_limits<std::int16_t>::min() && rounded <= std::numeric_limits<std::int16_t>::max())) {
    Overflow();
  }
  return static_cast<std::int16_t>(rounded);
}

// "&H1F" / "&O17": a literal of up to 16 bits is an Integer (so &HFFFF is
// -1), one of up to 32 bits a Long.
std::int16_t RadixLiteral(VbStringView digits, int radix) {
  if (digits.empty()) TypeMismatch();
  std::uint64_t value = 0;
  for (char16_t c : digits) {
    int d = DigitValue(c, radix);
    if (d < 0) TypeMismatch();
    value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(d);
    if (value > 0xFFFFFFFFu) Overflow();
  }
  if (value <= 0xFFFFu) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
  return Narrow(static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value))));
}

// [sign] digits [. digits] [(E|D) [sign] digits], with at least one digit
// before the exponent.
std::int16_t DecimalLiteral(VbStringView text) {
  std::string ascii;
  std::size_t i = 0;
  auto take = [&](auto accept) {
    while (i < text.size() && accept(text[i])) ascii.push_back(static_cast<char>(text[i++]));
  };
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  take(IsAsciiDigit);
  std::size_t digits = ascii.size();
  if (i < text.size() && text[i] == u'.') {
    ascii.push_back('.');
    ++i;
    std::size_t fractionStart = ascii.size();
    take(IsAsciiDigit);
    digits += ascii.size() - fractionStart;
  }
  if (digits == 0) TypeMismatch();
  if (i < text.size() && (AsciiUpper(text[i]) == u'E' || AsciiUpper(text[i]) == u'D')) {
    ascii.push_back('e');
    ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ascii.push_back(static_cast<char>(text[i++]));
    std::size_t exponentStart = ascii.size();
    take(IsAsciiDigit);
    if (ascii.size() == exponentStart) TypeMismatch();
  }
  if (i != text.size()) TypeMismatch();

  double value = 0;
  auto [end, error] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
  if (error == std::errc::result_out_of_range) {
    // A tiny magnitude is 0; a huge one does not fit.
    if (ascii.find("e-") != std::string::npos) return 0;
    Overflow();
  }
  if (error != std::errc() || end != ascii.data() + ascii.size()) TypeMismatch();
  return Narrow(negative ? -value : value);
}

}  // namespace

CBtnEvents::CBtnEvents(Globals& g) : g_(g) {}

CBtnEvents::~CBtnEvents() {
  if (oHook_) ResumeNext([&] { oHook_->Unadvise(*this); });
}

void CBtnEvents::SetOHook(std::shared_ptr<vbide::CommandBarEvents> events, vbide::ControlPtr control) {
  if (oHook_) ResumeNext([&] { oHook_->Unadvise(*this); });
  oHook_ = std::move(events);
  control_ = std::move(control);
  if (oHook_) oHook_->Advise(*this);
}

void CBtnEvents::Click(vbide::CommandBarControl& control, bool& /*handled*/, bool& /*cancelDefault*/) {
  // The IDE raises the click on the sinks of every control that shares the
  // clicked one's tag: only the clicked control's own sink acts.
  if (!control_ || &control != control_.get()) return;
  std::int16_t n = f_CommandOfParameter(control.Parameter());
  if (!s_RunCommand(g_, n)) ++g_.gCommandErrors;
}

std::int16_t f_CommandOfParameter(VbStringView parameter) {
  VbString rest = ReplaceAllNoCase(parameter, kParameterPrefix, u"");
  rest = ReplaceAll(rest, u")", u"");
  return f_TextToInteger(rest);
}

std::int16_t f_TextToInteger(VbStringView text) {
  VbStringView number = TrimView(text);
  if (number.size() >= 2 && number[0] == u'&') {
    char16_t radix = AsciiUpper(number[1]);
    if (radix == u'H') return RadixLiteral(number.substr(2), 16);
    if (radix == u'O') return RadixLiteral(number.substr(2), 8);
  }
  return DecimalLiteral(number);
}

}  // namespace kv
