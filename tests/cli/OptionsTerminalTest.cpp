// "kestrova options" in a real terminal of 80 by 24 cells: the program runs
// inside tmux, the test types into it and reads the screen back, as a user
// would see it. It checks that the example follows the edits, that Save
// stores the options, the pages, access keys and help in both languages, a
// lone Esc cancelling, and the notice of a terminal too small. Skipped where tmux
// is not installed.
#include <stdio.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "CliFixture.h"
#include "ProgramRun.h"
#include "options/ShowExample.h"
#include "options/modSettings.h"

namespace kv::testing {
namespace {

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string RTrimmed(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

// One tmux server of the test's own, on a socket in the test's folder, so
// no one else's server is touched and nothing stays behind.
class Tmux {
 public:
  explicit Tmux(std::filesystem::path socket) : socket_(std::move(socket)) {}
  ~Tmux() { Run({"kill-server"}); }
  static bool Installed() { return std::system("tmux -V >/dev/null 2>&1") == 0; }
  std::string Run(const std::vector<std::string>& args) {
    std::string command = "tmux -S " + Quote(socket_.string()) + " -f /dev/null";
    for (const std::string& a : args) command += " " + Quote(a);
    std::string output;
    if (FILE* pipe = ::popen((command + " 2>/dev/null").c_str(), "r")) {
      char buffer[4096];
      for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
      ::pclose(pipe);
    }
    return output;
  }

  // Starts `command` in a detached session of that many cells; the pane
  // stays after the program ends, showing how it ended.
  void Start(const std::string& command, const std::vector<std::string>& env, int columns, int lines) {
    std::vector<std::string> args = {"new-session", "-d", "-s", "kv", "-x", std::to_string(columns), "-y",
                                     std::to_string(lines)};
    for (const std::string& e : env) {
      args.push_back("-e");
      args.push_back(e);
    }
    args.push_back(command + "; echo \"kestrova exited $?\"; sleep 600");
    Run(args);
  }
  void Keys(std::vector<std::string> keys) {
    keys.insert(keys.begin(), {"send-keys", "-t", "kv"});
    Run(keys);
  }
  std::string Screen() { return Run({"capture-pane", "-p", "-t", "kv"}); }
  // Waits until the screen satisfies `ready`, for up to ten seconds.
  bool WaitFor(const std::function<bool(const std::string&)>& ready) {
    for (auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
         std::chrono::steady_clock::now() < until; std::this_thread::sleep_for(std::chrono::milliseconds(50))) {
      if (ready(Screen())) return true;
    }
    return false;
  }

 private:
  std::filesystem::path socket_;
};

// The example's lines as the screen shows them: the rows of the list box,
// from the first shown on, between its borders.
std::vector<std::string> ExampleOnScreen(const std::string& screen) {
  const std::string border = "│ │";
  std::vector<std::string> lines;
  std::istringstream rows(screen);
  bool started = false;
  for (std::string row; std::getline(rows, row) && lines.size() < kExampleLines;) {
    if (lines.empty() && row.find("│ ┌") != std::string::npos) {
      started = true;
      continue;
    }
    if (!started) continue;
    std::size_t from = row.find(border);
    if (from == std::string::npos) break;
    from += border.size();
    lines.push_back(RTrimmed(row.substr(from, row.find("│", from) - from)));
  }
  return lines;
}

std::vector<std::string> Expected(const char16_t* spaces, bool indentCase) {
  ExampleOptions options;
  options.spaces = spaces;
  options.alignColumn = u"55";
  options.indentProc = true;
  options.indentCmt = true;
  options.indentCase = indentCase;
  options.indentFirst = true;
  options.alignEOL = true;
  std::vector<std::string> lines;
  for (const VbString& line : BuildExample(options)) lines.push_back(RTrimmed(VbToUtf8(line)));
  return lines;
}

class OptionsTerminal : public CliTest {
 protected:
  void SetUp() override {
    if (!Tmux::Installed()) GTEST_SKIP() << "tmux is not installed";
  }
  void Start(const std::string& subcommand = "options", int columns = 80, int lines = 24) {
    tmux.Start(Quote(KestrovaProgram().string()) + " " + subcommand,
               {"KESTROVA_SETTINGS=" + Settings().string(), "LANG=C.UTF-8", "LC_ALL=C.UTF-8"}, columns, lines);
  }
  // Waits until the example on screen is the one for these options, from
  // line `from` (0-based) on; at 80×24 it shows twelve of its lines.
  void ExpectExample(const char16_t* spaces, bool indentCase, std::size_t from = 0) {
    const std::vector<std::string> all = Expected(spaces, indentCase);
    auto shown = [&](const std::string& s) {
      std::vector<std::string> lines = ExampleOnScreen(s);
      return lines.size() == 12 && std::equal(lines.begin(), lines.end(), all.begin() + from);
    };
    EXPECT_TRUE(tmux.WaitFor(shown)) << "spaces " << VbToUtf8(spaces) << ", case " << indentCase << ":\n"
                                     << tmux.Screen();
  }
  void ExpectScreenShows(const std::string& text) {
    EXPECT_TRUE(tmux.WaitFor([&](const std::string& s) { return s.find(text) != std::string::npos; }))
        << text << ":\n" << tmux.Screen();
  }
  std::string Stored(const char16_t* key) {
    SettingsStore store(Settings());
    return store.HasSetting(key) ? VbToUtf8(store.ReadSetting(key, u"")) : "(absent)";
  }
  std::filesystem::path Settings() const { return P("settings.ini"); }

  Tmux tmux{P("tmux.socket")};
};

TEST_F(OptionsTerminal, EditsShowInTheExampleAndSaveStoresThem) {
  Start();
  ExpectScreenShows("Set Up");
  ExpectExample(u"4", true);
  tmux.Keys({"2"});  // the spaces box has the focus, its text selected
  ExpectExample(u"2", true);
  tmux.Keys({"Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Space"});  // Indent within "Select Case" lines
  ExpectScreenShows("[ ] Indent within \"Select Case\" lines");
  ExpectExample(u"2", false);
  tmux.Keys({"PPage"});  // no further up
  tmux.Keys({"NPage"});  // the rest of the example
  ExpectExample(u"2", false, 7);
  ExpectScreenShows(" 8-19/19 ");
  tmux.Keys({"Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "k"});  // the module hot-key letter, on the other page
  ExpectScreenShows("[ k ]");  // upper-cased on Save
  ExpectScreenShows("Max 1 byte");  // its tooltip, with the key help still below
  ExpectScreenShows("Tab: move  Space: tick/press  Alt+letter: jump  PgUp/PgDn: example  Esc: cancel");
  tmux.Keys({"Tab", "Space"});                                 // and its hot key on
  tmux.Keys({"Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "Enter"});  // Save
  ExpectScreenShows("kestrova exited 0");
  ExpectScreenShows("kestrova options: saved to");

  // Every key's letter rules are the options window's Save test's; here the
  // terminal's edits reach the file.
  const std::pair<const char16_t*, const char*> stored[] = {
      {u"IndentSpaces", "2"}, {u"IndentCase", "N"}, {u"chkIndentModHotKey", "Y"}, {u"txtIndentMod", "K"},
      {u"chkF1", "N"},
  };
  for (auto [key, value] : stored) EXPECT_EQ(Stored(key), value) << VbToUtf8(key);
}

// The Chinese window at 80×24: whole captions, Alt+letter takes the access
// key of a caption on the other page, and a lone Esc still cancels.
TEST_F(OptionsTerminal, ChineseFitsAndTakesAccessKeys) {
  SettingsStore(Settings()).WriteSetting(u"Language", u"1");
  Start();
  ExpectScreenShows("设置");
  ExpectScreenShows("[x] 在“Select Case”行内缩进");
  ExpectScreenShows("Tab：移动  空格：勾选/按下  Alt+字母：跳转  PgUp/PgDn：滚动示例  Esc：取消");
  tmux.Keys({"M-m"});  // 缩进模块热键（&M）: ticked, and its page shown
  ExpectScreenShows("[x] 缩进模块热键（M）：Ctrl+");
  ExpectScreenShows("[ ] 热键：^*（数字键盘）全部展开（当前模块）");
  tmux.Keys({"Escape"});
  ExpectScreenShows("kestrova exited 0");
  ExpectScreenShows("cancelled, nothing was written");
  EXPECT_EQ(Stored(u"chkIndentModHotKey"), "(absent)");
}

// Below 80×24 a notice wrapped to the terminal; enlarged, the window.
TEST_F(OptionsTerminal, TooSmallSaysSoUntilEnlarged) {
  Start("options", 50, 20);
  ExpectScreenShows("The terminal is too small: the options need");
  ExpectScreenShows("80×24, it is 50×20. Enlarge it, or press Esc to");
  ExpectScreenShows("cancel.");
  tmux.Run({"resize-window", "-t", "kv", "-x", "80", "-y", "24"});
  ExpectScreenShows("[ Save ]  [ Cancel ]");
  tmux.Keys({"Escape"});
  ExpectScreenShows("kestrova exited 0");
}

TEST_F(OptionsTerminal, AboutShowsItsKeys) {
  for (const char16_t* language : {u"0", u"1"}) {
    SettingsStore(Settings()).WriteSetting(u"Language", language);
    Start("about");
    ExpectScreenShows(*language == u'0' ? "Tab: move  Enter/Space: press  Esc: close" : "Tab：移动  Enter/空格：按下  Esc：关闭");
    tmux.Keys({"Escape"});
    ExpectScreenShows("kestrova exited 0");
    tmux.Run({"kill-server"});
  }
}

}  // namespace
}  // namespace kv::testing
