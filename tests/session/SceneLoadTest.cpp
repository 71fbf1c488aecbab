#include "session/SceneLoad.h"

#include <gtest/gtest.h>

#include "common/VariedState.h"
#include "core/StateImage.h"

#include <cstring>

namespace orvx {
namespace {

/// The live state a scene is loaded over: another processor's version, units and link.
CDeviceState LiveState() {
  CDeviceState live;
  live.ResetToDefaults();
  live.link.online = true;
  live.link.retryCount = 2;
  live.link.deviceIp = "127.0.0.160";
  live.language = Language::Chinese;
  SetNameBytes(live.in[0].shortName, "LIVE");
  std::snprintf(live.firmwareVersion.data(), live.firmwareVersion.size(), "35");
  live.unitCount = 4;
  return live;
}

TEST(SceneLoad, ASavedSceneLoadsBackByteForByteExceptWhatStaysLive) {
  CDeviceState saved = scenetest::VariedState();
  saved.link.online = false;
  std::snprintf(saved.firmwareVersion.data(), saved.firmwareVersion.size(), "32");
  saved.unitCount = 1;
  const auto image = image::EncodeScene(saved);

  const CDeviceState live = LiveState();
  const auto loaded = LoadSceneImage(image, live);
  ASSERT_TRUE(loaded.has_value());
  EXPECT_EQ(loaded->clamped, 0);
  CDeviceState expected = saved;
  expected.link = live.link;
  expected.firmwareVersion = live.firmwareVersion;
  expected.unitCount = live.unitCount;
  EXPECT_EQ(image::EncodeScene(loaded->state), image::EncodeScene(expected));
  EXPECT_EQ(loaded->state.language, Language::Chinese);
  EXPECT_EQ(loaded->state.link.deviceIp, "127.0.0.160");

  // Adopting it later keeps what is live then, not what was live at loading.
  CDeviceState later = live;
  later.link.online = false;
  later.unitCount = 3;
  AdoptScene(later, loaded->state);
  expected.link.online = false;
  expected.unitCount = 3;
  EXPECT_EQ(image::EncodeScene(later), image::EncodeScene(expected));
}

TEST(SceneLoad, EveryValueOutsideItsParametersRuleIsMovedIntoItAndCounted) {
  CDeviceState damaged = scenetest::EditedState();
  damaged.in[0].level = 200;
  damaged.in[3].peq[1].freq = 5;
  damaged.out[1].geq[2].gain = -7;
  damaged.unitSlots[0][0] = 250;
  damaged.in[9].preampGain = 3;                                    // inputs 9 and up have two steps
  std::memcpy(damaged.controlGroups[1].name.data(), "AB\xB5", 4);  // a lead byte without its trail
  damaged.in[5].peq[2].gain = 151;  // gains travel in steps of two
  damaged.in[5].peq[1].type = 2;    // band 2 offers no shelf
  const auto loaded = LoadSceneImage(image::EncodeScene(damaged), LiveState());
  ASSERT_TRUE(loaded.has_value());
  EXPECT_EQ(loaded->clamped, 8);
  EXPECT_EQ(loaded->state.in[5].peq[2].gain, 150);
  EXPECT_EQ(loaded->state.in[5].peq[1].type, 0);
  EXPECT_EQ(NameBytes(loaded->state.controlGroups[1].name), "AB");
  EXPECT_EQ(loaded->state.in[0].level, kLevelMax);
  EXPECT_EQ(loaded->state.in[3].peq[1].freq, 20);
  EXPECT_EQ(loaded->state.out[1].geq[2].gain, 0);
  EXPECT_EQ(loaded->state.unitSlots[0][0], 20);
  EXPECT_EQ(loaded->state.in[9].preampGain, 1);
}

TEST(SceneLoad, AnImageOfAnyOtherSizeLoadsNothing) {
  const auto image = image::EncodeScene(scenetest::EditedState());
  for (std::size_t size : {std::size_t{0}, image.size() - 1}) {
    EXPECT_FALSE(LoadSceneImage(std::span(image).first(size), LiveState()).has_value()) << size;
  }
  std::vector<std::uint8_t> longer = image;
  longer.push_back(0);
  EXPECT_FALSE(LoadSceneImage(longer, LiveState()).has_value());
}

}  // namespace
}  // namespace orvx
