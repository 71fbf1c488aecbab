#include <gtest/gtest.h>

#include "session/AppOptions.h"

namespace orvx {
namespace {

TEST(AppOptionsTest, ParsesEveryOption) {
  const auto r = ParseAppOptions(
      {"--demo", "--local-ip", "127.0.0.1", "--data-dir", "/tmp/d", "--lang", "zh", "--screenshot", "/tmp/s"});
  ASSERT_EQ(r.error, "");
  EXPECT_TRUE(r.options.demo);
  EXPECT_EQ(r.options.localIp, "127.0.0.1");
  EXPECT_EQ(r.options.dataDir, "/tmp/d");
  EXPECT_EQ(r.options.language, Language::Chinese);
  EXPECT_EQ(r.options.screenshotDir, "/tmp/s");
  EXPECT_FALSE(r.options.deviceIp.has_value());

  const auto d = ParseAppOptions({"--device", "127.0.0.5", "--lang", "en"});
  ASSERT_EQ(d.error, "");
  EXPECT_EQ(d.options.deviceIp, "127.0.0.5");
  EXPECT_EQ(d.options.language, Language::English);
  EXPECT_FALSE(ParseAppOptions({}).options.language.has_value()) << "no --lang: language not forced";
}

TEST(AppOptionsTest, RefusesBadInput) {
  const std::vector<std::vector<std::string>> bad = {
      {"--device"},
      {"--device", "host.example"},
      {"--device", "300.1.1.1"},
      {"--local-ip", ""},
      {"--lang", "fr"},
      {"--screenshot"},
      {"--frobnicate"},
      {"--demo", "--device", "127.0.0.3"},
  };
  for (const auto& args : bad) EXPECT_NE(ParseAppOptions(args).error, "") << args[0];
}

}  // namespace
}  // namespace orvx
