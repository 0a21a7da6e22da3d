// The terminal forms' common ground, on wide-character ncurses.
#include "cli/TerminalUi.h"

#include <langinfo.h>
#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include "support/FormControl.h"

#define NCURSES_WIDECHAR 1
#include <curses.h>

namespace kv::cli::tui {

namespace keys {
std::uint32_t Tab() { return '\t'; }
std::uint32_t BackTab() { return KEY_BTAB; }
std::uint32_t Left() { return KEY_LEFT; }
std::uint32_t Right() { return KEY_RIGHT; }
std::uint32_t Up() { return KEY_UP; }
std::uint32_t Down() { return KEY_DOWN; }
std::uint32_t Home() { return KEY_HOME; }
std::uint32_t End() { return KEY_END; }
std::uint32_t PageUp() { return KEY_PPAGE; }
std::uint32_t PageDown() { return KEY_NPAGE; }
std::uint32_t Backspace() { return KEY_BACKSPACE; }
std::uint32_t Delete() { return KEY_DC; }
std::uint32_t Enter() { return KEY_ENTER; }
std::uint32_t Resize() { return KEY_RESIZE; }
std::uint32_t Mouse() { return KEY_MOUSE; }
}  // namespace keys

namespace {

constexpr short kListPair = 1;
constexpr int kEscapeDelayMs = 50;  // Esc and a key within this time are one key (Alt, or a function key)

// The characters of a text as the terminal takes them: UTF-16 pairs joined.
std::wstring ToWide(VbStringView text) {
  std::wstring out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = 0xFFFD;
    }
    out.push_back(static_cast<wchar_t>(c));
  }
  return out;
}

int CharWidth(wchar_t c) {
  if (c < 0x20 || c == 0x7F) return 1;  // control characters are drawn as one cell below
  int w = ::wcwidth(c);
  return w < 0 ? 1 : w;
}

// Wide output needs a UTF-8 character type; the user's locale usually is
// one, and C.UTF-8 stands in when it is not.
void UseUtf8Locale() {
  std::setlocale(LC_ALL, "");
  const char* codeset = nl_langinfo(CODESET);
  if (codeset && std::strcmp(codeset, "UTF-8") == 0) return;
  std::setlocale(LC_CTYPE, "C.UTF-8");
}

attr_t CursesAttr(unsigned attr) {
  attr_t a = A_NORMAL;
  if (attr & kReverse) a |= A_REVERSE;
  if (attr & kBold) a |= A_BOLD;
  if (attr & kUnderline) a |= A_UNDERLINE;
  if (attr & kDim) a |= A_DIM;
  if ((attr & kWhiteOnBlack) && has_colors()) a |= COLOR_PAIR(kListPair);
  return a;
}

}  // namespace

bool IsEnter(const Key& key) {
  return key.function ? key.code == static_cast<std::uint32_t>(KEY_ENTER) : (key.code == '\r' || key.code == '\n');
}

bool IsBackspace(const Key& key) {
  return key.function ? key.code == static_cast<std::uint32_t>(KEY_BACKSPACE) : (key.code == 127 || key.code == 8);
}

bool HaveTerminal() { return ::isatty(STDIN_FILENO) && ::isatty(STDOUT_FILENO); }

int DisplayWidth(VbStringView text) {
  int width = 0;
  for (wchar_t c : ToWide(text)) width += CharWidth(c);
  return width;
}

Screen::Screen() {
  if (!HaveTerminal()) {
    error_ = "standard input and output must be a terminal";
    return;
  }
  const char* term = std::getenv("TERM");
  if (!term || !*term) {
    error_ = "TERM is not set, so the terminal's kind is unknown";
    return;
  }
  UseUtf8Locale();
  SCREEN* screen = newterm(nullptr, stdout, stdin);
  if (!screen) {
    error_ = std::string("the terminal kind \"") + term + "\" is unknown";
    return;
  }
  screen_ = screen;
  set_term(screen);
  open_ = true;
  raw();  // Ctrl+C arrives as a key and cancels like Esc, leaving the terminal sound
  noecho();
  nonl();
  keypad(stdscr, TRUE);
  set_escdelay(kEscapeDelayMs);
  if (has_colors()) {
    start_color();
    use_default_colors();
    init_pair(kListPair, COLOR_WHITE, COLOR_BLACK);
  }
  mousemask(BUTTON1_PRESSED | BUTTON1_CLICKED, nullptr);
  mouseinterval(0);
  curs_set(0);
}

Screen::~Screen() {
  if (!screen_) return;
  endwin();
  delscreen(static_cast<SCREEN*>(screen_));
}

int Screen::Columns() const { return COLS; }
int Screen::Lines() const { return LINES; }

void Screen::Clear() {
  erase();
  cursorY_ = -1;
}

int Screen::Put(int y, int x, VbStringView text, unsigned attr, int width) {
  if (y < 0 || y >= LINES || x < 0 || x >= COLS) return x;
  if (width < 0 || x + width > COLS) width = COLS - x;
  attrset(CursesAttr(attr));
  int used = 0;
  for (wchar_t c : ToWide(text)) {
    int w = CharWidth(c);
    if (used + w > width) break;
    wchar_t shown = (c < 0x20 || c == 0x7F) ? L'?' : c;
    mvaddnwstr(y, x + used, &shown, 1);
    used += w;
  }
  attrset(A_NORMAL);
  return x + used;
}

int Screen::PutCaption(int y, int x, VbStringView caption, unsigned attr, int width) {
  std::size_t key = VbString::npos;
  VbString shown = StripAccessKey(caption, &key);
  if (key == VbString::npos) return Put(y, x, shown, attr, width);
  int limit = width < 0 ? COLS - x : width;
  int at = Put(y, x, VbStringView(shown).substr(0, key), attr, limit);
  at = Put(y, at, VbStringView(shown).substr(key, 1), attr | kUnderline, limit - (at - x));
  return Put(y, at, VbStringView(shown).substr(key + 1), attr, limit - (at - x));
}

void Screen::Fill(int y, int x, int width, unsigned attr) {
  if (width > 0) Put(y, x, VbString(static_cast<std::size_t>(width), u' '), attr, width);
}

void Screen::Box(int y, int x, int height, int width, VbStringView caption, unsigned attr) {
  if (height < 2 || width < 2) return;
  attrset(CursesAttr(attr));
  mvaddch(y, x, ACS_ULCORNER);
  mvhline(y, x + 1, ACS_HLINE, width - 2);
  mvaddch(y, x + width - 1, ACS_URCORNER);
  mvvline(y + 1, x, ACS_VLINE, height - 2);
  mvvline(y + 1, x + width - 1, ACS_VLINE, height - 2);
  mvaddch(y + height - 1, x, ACS_LLCORNER);
  mvhline(y + height - 1, x + 1, ACS_HLINE, width - 2);
  mvaddch(y + height - 1, x + width - 1, ACS_LRCORNER);
  attrset(A_NORMAL);
  if (!caption.empty()) {
    int at = Put(y, x + 2, u" ", attr, width - 4);
    at = PutCaption(y, at, caption, attr, width - 4 - (at - x - 2));
    Put(y, at, u" ", attr, width - 2 - (at - x));
  }
}

void Screen::Cursor(int y, int x) {
  cursorY_ = y;
  cursorX_ = x;
}

void Screen::Refresh() {
  if (cursorY_ >= 0 && cursorY_ < LINES && cursorX_ >= 0 && cursorX_ < COLS) {
    move(cursorY_, cursorX_);
    curs_set(1);
  } else {
    curs_set(0);
  }
  refresh();
}

Key Screen::Read() {
  for (int failures = 0;; ++failures) {
    wint_t ch = 0;
    int result = get_wch(&ch);
    if (result == KEY_CODE_YES) {
      if (ch == KEY_MOUSE) {
        MEVENT event;
        if (getmouse(&event) != OK) continue;
        clickY_ = event.y;
        clickX_ = event.x;
      }
      return {true, static_cast<std::uint32_t>(ch)};
    }
    if (result == OK && ch == kEscape) {
      // Alt+letter arrives as Esc and the letter together; wait no longer
      // than the escape delay for the letter.
      timeout(kEscapeDelayMs);
      wint_t next = 0;
      int more = get_wch(&next);
      timeout(-1);
      if (more == OK && next != kEscape) return {false, static_cast<std::uint32_t>(next), true};
      return {false, kEscape};
    }
    if (result == OK) return {false, static_cast<std::uint32_t>(ch)};
    // The terminal went away (its input ended): give up as Esc would.
    if (failures > 100) return {false, kEscape};
  }
}

}  // namespace kv::cli::tui
