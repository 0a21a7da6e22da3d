// Reading the indentation options, with the counts clamped to their ranges.
#include "indent/IndentOptions.h"

#include <algorithm>

#include "host/VbError.h"
#include "options/modSettings.h"

namespace kv {

namespace {

void ReadFlag(SettingsStore& settings, VbStringView key, bool& value) {
  ResumeNext([&] { value = IsFlagOn(settings.ReadSetting(key, u"Y")); });
}

// The leading number of the stored text, clamped to 0..max. A number beyond
// the 16-bit range is clamped by its sign.
void ReadClampedCount(SettingsStore& settings, VbStringView key, VbStringView defaultText, std::int16_t max,
                      std::int16_t& value) {
  ResumeNext([&] {
    VbString text = settings.ReadSetting(key, defaultText);
    if (auto count = ReadCount(text)) {
      value = std::clamp<std::int16_t>(*count, 0, max);
    } else {
      VbStringView rest = LTrimView(text);
      value = !rest.empty() && rest[0] == u'-' ? std::int16_t{0} : max;
    }
  });
}

}  // namespace

IndentOptions ReadIndentOptions(SettingsStore& settings) {
  SettingsStore::Batch batch(settings);
  IndentOptions o;
  ReadFlag(settings, u"IndentProc", o.IndentProc);
  ReadFlag(settings, u"IndentCmt", o.IndentCmt);
  ReadFlag(settings, u"IndentCase", o.IndentCase);
  ReadFlag(settings, u"IndentFirst", o.IndentFirst);
  ReadFlag(settings, u"AlignEOL", o.AlignEOL);
  ReadClampedCount(settings, u"AlignEOLCol", u"55", kMaxAlignEOLCol, o.AlignEOLCol);
  ReadClampedCount(settings, u"IndentSpaces", u"4", kMaxIndentSpaces, o.IndentSpaces);
  return o;
}

}  // namespace kv
