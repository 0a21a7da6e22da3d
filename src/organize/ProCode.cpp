// Commenting and uncommenting the code between the edition labels.
#include "organize/ProCode.h"

#include "indent/modIndentControl.h"
#include "organize/VbLineScanner.h"

namespace kv {

namespace {

enum class Marker { None, Start, End };

// The marker a line ends with: command 29 writes each at the end of its line.
Marker MarkerOf(VbStringView line) {
  VbStringView rest = SkipLeadingWhite(line);
  while (!rest.empty() && (rest.back() == kBlank || rest.back() == kTab)) rest.remove_suffix(1);
  if (EndsWithNoCase(rest, u"'<kv_pro_start>")) return Marker::Start;
  if (EndsWithNoCase(rest, u"'<kv_pro_end>")) return Marker::End;
  return Marker::None;
}

void Run(CommandContext& ctx, bool comment) {
  Globals& g = ctx.g;
  VbString unpaired;
  s_ForEachProjectModule(g, [&](vbide::VBComponent& component, vbide::CodeModule& module, const VbString& text,
                               std::int32_t count) {
    const std::optional<VbString> changed = f_ProCode(text, comment);
    if (!changed) {
      unpaired += (unpaired.empty() ? u"" : u", ") + component.Name();
    } else if (*changed != text) {
      CommandContext each(g, ctx.pane, module);
      each.lineCount = count;
      s_ReplaceWholeText(each, *changed);
    }
  });
  if (!unpaired.empty()) {
    g.Message(VbString(g.Text(u"These modules were left unchanged, because their edition labels do not pair up: ",
                     u"以下模块的专业版标签不成对，未作修改：")) +
              unpaired);
  }
}

}  // namespace

std::optional<VbString> f_ProCode(VbStringView text, bool comment) {
  VbString out;
  out.reserve(text.size() + 64);
  bool inside = false, paired = true;
  ForEachCrLfLine(text, [&](VbStringView line, std::size_t index) {
    if (index > 0) out.append(kCrLf);
    const Marker marker = MarkerOf(line);
    if (marker == Marker::Start) {
      paired = paired && !inside;
      inside = true;
    } else if (marker == Marker::End) {
      paired = paired && inside;
      inside = false;
    } else if (inside) {
      const VbStringView rest = SkipLeadingWhite(line);
      const std::size_t at = line.size() - rest.size();
      if (!rest.empty() && comment) {
        out.append(line.substr(0, at));
        out.push_back(u'\'');
        out.append(rest);
        return;
      }
      if (!comment && rest.starts_with(u"'")) {
        out.append(line.substr(0, at));
        out.append(rest.substr(1));
        return;
      }
    }
    out.append(line);
  });
  if (!paired || inside) return std::nullopt;
  return out;
}

void s_CommentProCode(CommandContext& ctx) { Run(ctx, true); }
void s_UncommentProCode(CommandContext& ctx) { Run(ctx, false); }

}  // namespace kv
