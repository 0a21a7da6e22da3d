// Message boxes and opening a URL: recorded in order and passed on.
#include <gtest/gtest.h>

#include "platform/PlatformTesting.h"

namespace kv::platform {
namespace {

TEST(MessageBoxTest, BoxesAreRecordedAndPresentedInOrder) {
  HeadlessPlatform platform{{}};
  std::vector<VbString> shown;
  platform.SetMessageBoxPresenter([&](const MessageBoxRecord& box) { shown.push_back(box.text); });
  platform.MsgBox(u"one", u"Kestrovaer");
  platform.MsgBox(u"two");
  ASSERT_EQ(platform.MessageBoxes().size(), 2u);
  EXPECT_EQ(platform.MessageBoxes()[0].title, VbString(u"Kestrovaer"));
  EXPECT_EQ(platform.MessageBoxes()[1].title, std::nullopt);
  EXPECT_EQ(shown, (std::vector<VbString>{u"one", u"two"}));
}

TEST(ShellTest, OpenRecordsTheUrlAndCallsTheOpener) {
  HeadlessPlatform platform{{}};
  std::vector<std::string> opened;
  platform.SetUrlOpener([&](std::string_view url) { opened.emplace_back(url); });
  const struct { const char* operation; const char* file; std::int32_t result; } cases[] = {
      {"open", "https://example.org/", 42},   {"OPEN", "https://example.org/a", 42},
      {"", "https://example.org/b", 42},  // the default verb
      {"print", "https://example.org/c", 31}, {"open", "", 2},
  };
  for (const auto& c : cases) EXPECT_EQ(platform.ShellExecuteA(0, c.operation, c.file, "", "", 1), c.result) << c.file;
  const std::vector<std::string> expected{"https://example.org/", "https://example.org/a", "https://example.org/b"};
  EXPECT_EQ(platform.OpenedUrls(), expected);
  EXPECT_EQ(opened, expected);
}

}  // namespace
}  // namespace kv::platform
