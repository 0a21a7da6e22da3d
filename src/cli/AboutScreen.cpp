// The about window on the terminal.
#include "cli/AboutScreen.h"

#include <algorithm>

#include "support/frmAbout.h"

namespace kv::cli::tui {

namespace {

struct AboutLayout {
  int y = 0;
  int x = 0;
  int width = 0;
  int height = 8;
  int addressY() const { return y + 4; }
  int okY() const { return y + 6; }
};

AboutLayout Place(const frmAbout& w, const Screen& s) {
  AboutLayout l;
  l.width = std::max({DisplayWidth(w.Control("lblURL").text) + 8, DisplayWidth(w.Caption()) + 8, 36});
  l.width = std::min(l.width, s.Columns());
  l.x = std::max(0, (s.Columns() - l.width) / 2);
  l.y = std::max(0, (s.Lines() - l.height) / 2);
  return l;
}

VbString OkText(const frmAbout& w) { return u"[ " + w.Control("btnOK").text + u" ]"; }

// The keys, on the last line, in the window's language.
VbStringView Help(bool chinese) {
  if (chinese) return u"Tab：移动  Enter/空格：按下  Esc：关闭";
  return u"Tab: move  Enter/Space: press  Esc: close";
}

}  // namespace

void HandleAboutKey(frmAbout& w, AboutFocus& focus, const Key& key) {
  if (!key.function && (key.code == kEscape || key.code == kCtrlC)) {
    w.btnOK_Click();
  } else if ((!key.function && key.code == keys::Tab()) ||
             (key.function && (key.code == keys::BackTab() || key.code == keys::Up() || key.code == keys::Down() ||
                               key.code == keys::Left() || key.code == keys::Right()))) {
    focus = focus == AboutFocus::Ok ? AboutFocus::Address : AboutFocus::Ok;
  } else if (IsEnter(key) || (!key.function && key.code == u' ')) {
    if (focus == AboutFocus::Ok) w.btnOK_Click();
    else w.lblURL_Click();
  }
}

void RunAboutScreen(frmAbout& w, Screen& s, const VbString& status, bool chinese) {
  AboutFocus focus = AboutFocus::Ok;
  while (w.Visible()) {
    const AboutLayout l = Place(w, s);
    s.Clear();
    for (int row = 0; row < l.height; ++row) s.Fill(l.y + row, l.x, l.width);
    s.Box(l.y, l.x, l.height, l.width, w.Caption());
    s.Put(l.y + 2, l.x + 3, w.Control("labTitle").text, kBold, l.width - 6);
    const VbString& address = w.Control("lblURL").text;
    s.Put(l.addressY(), l.x + 3, address, kUnderline | (focus == AboutFocus::Address ? kReverse : kNormal),
          l.width - 6);
    const VbString ok = OkText(w);
    const int okX = l.x + l.width - 3 - DisplayWidth(ok);
    s.Put(l.okY(), okX, ok, focus == AboutFocus::Ok ? kReverse | kBold : kNormal);
    s.Put(l.y + l.height, l.x, status, kDim);
    s.Put(s.Lines() - 1, 0, Help(chinese), kDim);
    s.Cursor(focus == AboutFocus::Ok ? l.okY() : l.addressY(), focus == AboutFocus::Ok ? okX + 2 : l.x + 3);
    s.Refresh();

    Key key = s.Read();
    if (key.function && key.code == keys::Mouse()) {
      if (s.ClickY() == l.addressY() && s.ClickX() >= l.x + 3 && s.ClickX() < l.x + 3 + DisplayWidth(address)) {
        focus = AboutFocus::Address;
        w.lblURL_Click();
      } else if (s.ClickY() == l.okY() && s.ClickX() >= okX && s.ClickX() < okX + DisplayWidth(ok)) {
        w.btnOK_Click();
      }
      continue;
    }
    HandleAboutKey(w, focus, key);
  }
}

}  // namespace kv::cli::tui
