#include <gtest/gtest.h>

#include "session/MainLayout.h"

namespace orvx {
namespace {

struct WidthCase {
  int client;
  int w;
};

TEST(MainLayoutTest, StripWidthIsTwoTwentyFirstsAtLeast150) {
  const WidthCase cases[] = {{1260, 150}, {1575, 150}, {1680, 160}, {1920, 182}, {2560, 243}, {0, 150}};
  for (const auto& c : cases) EXPECT_EQ(CMainLayout::StripWidth(c.client), c.w) << c.client;
}

// The strips fit the window under its fixed header (from 920 up exactly as before); a window too
// short for the shortest strip scrolls.
TEST(MainLayoutTest, StripsFitTheHeightUnderTheHeaderDownToTheShortestStrip) {
  const std::pair<int, int> cases[] = {{1080, 860}, {921, 701}, {920, 700}, {768, 548}, {740, 520}, {600, 520}, {0, 520}};
  for (auto [client, h] : cases) EXPECT_EQ(CMainLayout::StripHeight(client), h) << client;
}

// The header's unit keeps the keys at the right inside the window however narrow it gets.
TEST(MainLayoutTest, TheHeaderNeverRunsPastTheWindowsRightEdge) {
  for (int client : {1920, 1366, 1280, 1024, 1000}) {
    const int u = CMainLayout::HeaderUnit(client);
    EXPECT_LE(u, CMainLayout::StripWidth(client)) << client;
    for (MainControl c : {MainControl::Menu, MainControl::LanguageToggle, MainControl::Undo, MainControl::Redo}) {
      const LayoutRect r = CMainLayout::ControlRect(c, u);
      EXPECT_LE(r.x + r.w, client) << client << " control " << static_cast<int>(c);
    }
    // ... and the middle of the header still clears the keys at the right.
    EXPECT_LE(CMainLayout::ControlRect(MainControl::GroupButton4, u).x + 100,
              CMainLayout::ControlRect(MainControl::StatusLamp, u).x) << client;
  }
  EXPECT_EQ(CMainLayout::HeaderUnit(1920), 182) << "a wide window keeps the strip width";
}

// A short strip keeps every key inside it: the name key gets lower, then the fader shorter.
TEST(MainLayoutTest, AShortStripKeepsEveryKeyInside) {
  const StripLayout input{268, 290, 220, 520, 40, 580};
  const StripLayout output{454, 230, 220, 520, 28, 580};
  EXPECT_EQ(FitStripLayout(input, 700), input) << "room enough: unchanged";
  struct Case {
    StripLayout full;
    int height;
    int faderHeight;
    int nameHeight;
  };
  const Case cases[] = {{input, 644, 220, 60}, {input, 634, 220, 50}, {input, 548, 144, 40},
                        {output, 548, 144, 40}, {input, 400, kMinFaderHeight, 40}};
  for (const Case& c : cases) {
    const StripLayout fit = FitStripLayout(c.full, c.height);
    EXPECT_EQ(fit.faderHeight, c.faderHeight) << c.height;
    EXPECT_EQ(fit.nameHeight, c.nameHeight) << c.height;
    EXPECT_EQ(fit.muteTop - fit.faderTop - fit.faderHeight, c.full.muteTop - c.full.faderTop - c.full.faderHeight)
        << "the keys keep their distance to the fader's foot";
    if (c.faderHeight > kMinFaderHeight) {
      EXPECT_EQ(fit.nameTop + fit.nameHeight + kStripBottomMargin, c.height);
    }
  }
  EXPECT_EQ(FitStripLayout(output, 548).levelTop, 454 - 76) << "the figure under the output's fader moves with it";
}

TEST(MainLayoutTest, FixedControlsFollowW) {
  const int w = 182;  // 1920 wide; 1.5W = 273, 6.5W = 1183
  struct Case {
    MainControl control;
    LayoutRect rect;
  };
  const Case cases[] = {
      {MainControl::ViewChannel, {0, 120, 182, 50}},
      {MainControl::ViewMatrix, {182, 120, 182, 50}},
      {MainControl::ViewMode, {364, 120, 182, 50}},
      {MainControl::ViewSystem, {546, 120, 182, 50}},
      {MainControl::ViewGroups, {728, 120, 182, 50}},
      {MainControl::GroupButton1, {283, 5, 100, 60}},
      {MainControl::GroupButton2, {393, 5, 100, 60}},
      {MainControl::GroupButton4, {673, 5, 100, 60}},
      {MainControl::GroupLabel2, {393, 65, 100, 24}},
      {MainControl::ChannelName, {503, 0, 160, 30}},
      {MainControl::ValueBox, {503, 30, 160, 30}},
      {MainControl::KindName, {503, 60, 160, 30}},
      {MainControl::StatusLamp, {1208, 10, 60, 45}},
      {MainControl::StatusText, {1193, 60, 90, 30}},
      {MainControl::MuteGroupLabel, {910, 100, 182, 30}},
      {MainControl::ControlGroupLabel, {1092, 100, 182, 30}},
  };
  for (const auto& c : cases) EXPECT_EQ(CMainLayout::ControlRect(c.control, w), c.rect) << int(c.control);
}

TEST(MainLayoutTest, StripsAndChannelViews) {
  const int w = 150, h = 700;
  EXPECT_EQ(CMainLayout::StripRect(0, w, h), (LayoutRect{0, 200, 150, 700}));
  EXPECT_EQ(CMainLayout::StripRect(7, w, h), (LayoutRect{7 * 152, 200, 150, 700}));
  EXPECT_EQ(CMainLayout::DetailPanelRect(w, h), (LayoutRect{9 * 150 + 18, 200, 150, 700}));
  EXPECT_EQ(CMainLayout::InputViewStripRect(w, h), (LayoutRect{0, 200, 150, 700}));
  EXPECT_EQ(CMainLayout::InputViewEditorRect(w, h), (LayoutRect{152, 200, 1050, 700}));
  EXPECT_EQ(CMainLayout::OutputViewEditorRect(w, h), (LayoutRect{0, 200, 1200, 700}));
  EXPECT_EQ(CMainLayout::OutputViewStripRect(w, h), (LayoutRect{1216, 200, 150, 700}));
}

TEST(MainLayoutTest, GroupKeysFormTwoRowsInsideTheirColumn) {
  for (bool control : {false, true}) {
    const int column = (control ? 6 : 5) * 182;
    for (int n = 1; n <= 4; ++n) {
      const LayoutRect r = CMainLayout::GroupKeyRect(control, n, 182);
      EXPECT_EQ(r.y, n <= 2 ? 132 : 160);
      EXPECT_GE(r.x, column);
      EXPECT_LE(r.x + r.w, column + 182);
    }
    EXPECT_LT(CMainLayout::GroupKeyRect(control, 1, 182).x, CMainLayout::GroupKeyRect(control, 2, 182).x);
  }
}

TEST(MainLayoutTest, CanvasCoversScrollRangesAndClient) {
  EXPECT_EQ(CMainLayout::CanvasSize({1260, 900}), (LayoutSize{1600, 1000}));
  EXPECT_EQ(CMainLayout::CanvasSize({1920, 1080}), (LayoutSize{1920, 1080}));

}

}  // namespace
}  // namespace orvx
