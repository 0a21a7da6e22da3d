// The terminal forms' common ground: opening and closing an ncurses screen
// (wide-character, so Chinese captions take their two columns), reading a
// key, and drawing text, boxes and captions with their access keys.
//
// The forms themselves (OptionsScreen, AboutScreen) draw the add-in's view
// models and forward keys to them; nothing here knows about the add-in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "support/text/VbText.h"

namespace kv::cli::tui {

// A key as the terminal delivers it: a character, or a function key with
// the ncurses key code (KEY_BTAB, KEY_LEFT...).
struct Key {
  bool function = false;
  std::uint32_t code = 0;
  // Alt held with a character: the terminal sends Esc and the character
  // within its escape delay.
  bool alt = false;
};

// Key codes the forms use, so that they need not include curses.h.
namespace keys {
std::uint32_t Tab();
std::uint32_t BackTab();
std::uint32_t Left();
std::uint32_t Right();
std::uint32_t Up();
std::uint32_t Down();
std::uint32_t Home();
std::uint32_t End();
std::uint32_t PageUp();
std::uint32_t PageDown();
std::uint32_t Backspace();
std::uint32_t Delete();
std::uint32_t Enter();
std::uint32_t Resize();
std::uint32_t Mouse();
}  // namespace keys

inline constexpr std::uint32_t kEscape = 27;
inline constexpr std::uint32_t kCtrlC = 3;

bool IsEnter(const Key& key);
bool IsBackspace(const Key& key);

// Whether standard input and output are both a terminal.
bool HaveTerminal();

// The columns a text takes on the terminal (two for a wide character).
int DisplayWidth(VbStringView text);

// Text attributes, independent of curses.
enum Attr : unsigned {
  kNormal = 0,
  kReverse = 1u << 0,
  kBold = 1u << 1,
  kUnderline = 1u << 2,
  kDim = 1u << 3,
  kWhiteOnBlack = 1u << 4,
};

// One ncurses screen on the process's terminal, closed when the object goes.
class Screen {
 public:
  // Opens the screen; when it cannot, Open() is false and Error() says why.
  Screen();
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  bool Open() const { return open_; }
  const std::string& Error() const { return error_; }

  int Columns() const;
  int Lines() const;

  void Clear();
  // Draws text from (y, x) in at most `width` columns (-1: to the edge).
  // Returns the column after the last character drawn.
  int Put(int y, int x, VbStringView text, unsigned attr = kNormal, int width = -1);
  // A caption whose access key ("&Save") is underlined.
  int PutCaption(int y, int x, VbStringView caption, unsigned attr = kNormal, int width = -1);
  // Fills `width` columns with blanks.
  void Fill(int y, int x, int width, unsigned attr = kNormal);
  // A box with an optional caption in its top edge.
  void Box(int y, int x, int height, int width, VbStringView caption = {}, unsigned attr = kNormal);
  // Where the terminal's cursor stands after the next refresh; hidden when
  // y is negative.
  void Cursor(int y, int x);
  void Refresh();
  // Waits for a key. A mouse click leaves its cell in ClickY/ClickX. Esc
  // followed by a character within the escape delay is that character with
  // Alt; a lone Esc is Esc.
  Key Read();
  int ClickY() const { return clickY_; }
  int ClickX() const { return clickX_; }

 private:
  bool open_ = false;
  std::string error_;
  int cursorY_ = -1;
  int cursorX_ = 0;
  int clickY_ = -1;
  int clickX_ = -1;
  void* screen_ = nullptr;  // SCREEN*
};

}  // namespace kv::cli::tui
