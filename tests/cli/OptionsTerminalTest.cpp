// "kestrova options" in a real terminal: the program runs inside tmux, the
// test types into it and reads the screen back, as a user would see it. It
// checks that the example follows the edits and that Save stores the options. Skipped where tmux is not installed.
#include <stdio.h>
#include <unistd.h>

#include <gtest/gtest.h>

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

// The example's nineteen lines as the screen shows them: the rows of the
// list box, from its first line on, between its borders.
std::vector<std::string> ExampleOnScreen(const std::string& screen) {
  const std::string border = "│ │";
  std::vector<std::string> lines;
  std::istringstream rows(screen);
  for (std::string row; std::getline(rows, row) && lines.size() < kExampleLines;) {
    if (lines.empty() && row.find("'Example Procedure") == std::string::npos) continue;
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
  std::vector<std::string> lines;
  for (const VbString& line : BuildExample(options)) lines.push_back(RTrimmed(VbToUtf8(line)));
  return lines;
}

class OptionsTerminal : public CliTest {
 protected:
  void SetUp() override {
    if (!Tmux::Installed()) GTEST_SKIP() << "tmux is not installed";
  }
  // Starts kestrova options in a detached session of 120 by 40 cells; the
  // pane stays after the program ends, showing how it ended.
  void Start() {
    tmux.Run({"new-session", "-d", "-s", "kv", "-x", "120", "-y", "40", "-e", "LANG=C.UTF-8", "-e", "LC_ALL=C.UTF-8",
              "-e", "KESTROVA_SETTINGS=" + Settings().string(),
              Quote(KestrovaProgram().string()) + " options; echo \"kestrova exited $?\"; sleep 600"});
  }
  // Waits until the example on screen is the one for these options.
  void ExpectExample(const char16_t* spaces, bool indentCase) {
    const std::vector<std::string> expected = Expected(spaces, indentCase);
    EXPECT_TRUE(tmux.WaitFor([&](const std::string& s) { return ExampleOnScreen(s) == expected; }))
        << "spaces " << VbToUtf8(spaces) << ", case " << indentCase << ":\n" << tmux.Screen();
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
  ExpectExample(u"4", false);
  tmux.Keys({"2"});  // the spaces box has the focus, its text selected
  ExpectExample(u"2", false);
  tmux.Keys({"Tab", "Tab", "Tab", "Tab", "Tab", "Space"});  // Indent within "Select Case" lines
  ExpectScreenShows("[x] Indent within \"Select Case\" lines");
  ExpectExample(u"2", true);
  tmux.Keys({"Tab", "Tab", "Tab", "Tab", "Tab", "Tab", "k"});  // the module hot-key letter
  tmux.Keys({"Tab", "Space"});                                 // and its hot key on
  tmux.Keys({"Tab", "Tab", "Tab", "Tab", "Tab", "Enter"});     // Save
  ExpectScreenShows("kestrova exited 0");
  ExpectScreenShows("kestrova options: saved to");

  const std::pair<const char16_t*, const char*> stored[] = {
      {u"IndentSpaces", "2"}, {u"IndentCase", "Y"}, {u"chkIndentModHotKey", "Y"}, {u"txtIndentMod", "K"},
      {u"IndentProc", "Y"},   {u"chkF1", "N"},      {u"txtCtrl1Target", "'"},
  };
  for (auto [key, value] : stored) EXPECT_EQ(Stored(key), value) << VbToUtf8(key);
}

}  // namespace
}  // namespace kv::testing
