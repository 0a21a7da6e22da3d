// Click routing: which sinks a click reaches, with which control, and what
// runs after it.
#include <gtest/gtest.h>

#include <stdexcept>

#include "Harness.h"

namespace kv::model {
namespace {

using test::Harness;

// Records the clicks it receives, as "own caption <- clicked caption".
class RecordingSink : public vbide::CommandBarEventsSink {
 public:
  RecordingSink(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
  void Click(vbide::CommandBarControl& control, bool&, bool&) override {
    log_.push_back(name_ + " <- " + VbToUtf8(control.Caption()));
    if (action) action();
  }
  std::function<void()> action;

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

struct Wired {
  vbide::ControlPtr control;
  std::shared_ptr<vbide::CommandBarEvents> events;
  std::unique_ptr<RecordingSink> sink;
};

class ClickTest : public test::HarnessTest {
 protected:
  Wired Add(VbStringView caption, VbStringView tag, std::string sinkName) {
    Wired w;
    w.control = vbe.Bars().AddBar(VbString(caption)).Controls().Add({});
    w.control->SetCaption(caption);
    w.control->SetTag(tag);
    w.events = vbe.Events().CommandBarEvents(w.control);
    w.sink = std::make_unique<RecordingSink>(log, std::move(sinkName));
    w.events->Advise(*w.sink);
    return w;
  }
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST_F(ClickTest, EverySinkOfTheSameTagHearsTheClickedControl) {
  Wired a = Add(u"A", u"Kestrova", "a");
  Wired b = Add(u"B", u"Kestrova", "b");
  Wired other = Add(u"O", u"Other", "o");
  Wired bare = Add(u"N", u"", "n"), bare2 = Add(u"M", u"", "m");
  vbe.Click(b.control);
  EXPECT_EQ(log, (Log{"a <- B", "b <- B"}));
  log.clear();
  vbe.Click(other.control);
  EXPECT_EQ(log, (Log{"o <- O"}));
  log.clear();
  vbe.Click(bare.control);  // without a tag only the control's own sinks hear
  EXPECT_EQ(log, (Log{"n <- N"}));
}

TEST_F(ClickTest, DeletedControlsSinksStillHearTheirTag) {
  Wired old = Add(u"Old", u"Kestrova", "old");
  old.control->Delete();
  Wired fresh = Add(u"New", u"Kestrova", "new");
  vbe.Click(fresh.control);
  EXPECT_EQ(log, (Log{"old <- New", "new <- New"}));
  EXPECT_THROW(vbe.Click(old.control), std::logic_error);
}

TEST_F(ClickTest, SinksChangingTheConnectionsDuringAClick) {
  Wired a = Add(u"A", u"T", "a");
  Wired b = Add(u"B", u"T", "b");
  a.sink->action = [&] {
    b.events->Unadvise(*b.sink);
    a.control->Delete();
    Add(u"Late", u"T", "late");  // connected during the click: hears the next one
  };
  vbe.Click(a.control);
  EXPECT_EQ(log, (Log{"a <- A"}));
}

TEST_F(ClickTest, TheMessageLoopRunsAfterTheSinks) {
  ModelWindow& immediate = *vbe.ImmediateWindow();
  immediate.SetText(u"? 1\r\n 1");
  ASSERT_TRUE(immediate.Focus());
  Wired a = Add(u"A", u"T", "a");
  a.sink->action = [&] {
    platform.keybd_event(platform::vk::kDelete, 0, 0, 0);
    EXPECT_EQ(platform.PendingInput(), 1u);
  };
  vbe.Click(a.control);
  EXPECT_EQ(platform.PendingInput(), 0u);
  EXPECT_EQ(immediate.ReceivedKeys(), (std::vector<KeyMessage>{{platform::WM_KEYDOWN, platform::vk::kDelete}}));
}

TEST_F(ClickTest, ConnectionsFollowAdviseAndTheEventsObjectsLife) {
  Wired a = Add(u"A", u"T", "a");
  a.events->Advise(*a.sink);  // a second Advise connects nothing more
  Wired b = Add(u"B", u"T", "b");
  Wired c = Add(u"C", u"T", "c");
  b.events->Unadvise(*b.sink);
  c.events.reset();  // nobody keeps c's events object
  vbe.Click(a.control);
  EXPECT_EQ(log, (Log{"a <- A"}));
}

}  // namespace
}  // namespace kv::model
