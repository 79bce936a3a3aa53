#include "qt/DisplayCheck.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <optional>
#include <string>

namespace {

// Sets the display-related variables for one test and puts the old values back afterwards.
class DisplayEnvironment : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      if (value) saved_[name] = value;
      unsetenv(name);
    }
  }
  void TearDown() override {
    for (const char* name : kNames) {
      unsetenv(name);
      if (auto it = saved_.find(name); it != saved_.end()) setenv(name, it->second.c_str(), 1);
    }
  }
  static constexpr const char* kNames[] = {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"};
  std::map<std::string, std::string> saved_;
};

TEST_F(DisplayEnvironment, NoDisplayGivesOneLineThatSaysSo) {
  const std::optional<std::string> message = qtfront::MissingDisplayMessage();
  ASSERT_TRUE(message.has_value());
  EXPECT_NE(message->find("no display"), std::string::npos);
  EXPECT_EQ(message->find('\n'), std::string::npos);

  setenv("QT_QPA_PLATFORM", "xcb", 1);
  setenv("WAYLAND_DISPLAY", "wayland-0", 1);
  EXPECT_TRUE(qtfront::MissingDisplayMessage().has_value());
}

TEST_F(DisplayEnvironment, AnyReachableDisplayOrOffscreenPlatformPasses) {
  setenv("DISPLAY", ":99", 1);
  EXPECT_FALSE(qtfront::MissingDisplayMessage().has_value());
  unsetenv("DISPLAY");
  setenv("WAYLAND_DISPLAY", "wayland-0", 1);
  EXPECT_FALSE(qtfront::MissingDisplayMessage().has_value());
  unsetenv("WAYLAND_DISPLAY");
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  EXPECT_FALSE(qtfront::MissingDisplayMessage().has_value());
}

}  // namespace
