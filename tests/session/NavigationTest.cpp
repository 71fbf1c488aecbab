#include <gtest/gtest.h>

#include "session/Navigation.h"

namespace orvx {
namespace {

TEST(NavigationTest, StartsOnGroupOneChannelView) {
  CNavigation nav;
  EXPECT_EQ(nav.Group(), 1);
  EXPECT_EQ(nav.View(), MainView::Channel);
  EXPECT_EQ(nav.ViewMode(), 2);
  EXPECT_EQ(nav.ChannelViewKind(), ChannelView::None);
}

TEST(NavigationTest, ViewButtonsSelectTheirViews) {
  const std::pair<ViewButton, MainView> cases[] = {{ViewButton::Channel, MainView::Channel},
                                                   {ViewButton::Matrix, MainView::Matrix},
                                                   {ViewButton::Mode, MainView::Mode},
                                                   {ViewButton::System, MainView::System},
                                                   {ViewButton::Groups, MainView::Groups}};
  for (auto [button, view] : cases) {
    CNavigation nav;
    nav.PressGroup(4);
    nav.PressView(button);
    EXPECT_EQ(nav.View(), view);
    EXPECT_EQ(nav.Group(), 4) << "a view button keeps the strip group";
    EXPECT_EQ(CNavigation::ButtonOfView(view), static_cast<int>(button));
  }
  EXPECT_EQ(CNavigation::ButtonOfView(MainView::Phantom), -1);
}

TEST(NavigationTest, GroupButtonReturnsToChannelViewUnlessUpdating) {
  CNavigation nav;
  nav.PressView(ViewButton::Matrix);
  EXPECT_TRUE(nav.PressGroup(2));
  EXPECT_EQ(nav.Group(), 2);
  EXPECT_EQ(nav.View(), MainView::Channel);

  nav.PressView(ViewButton::System);
  nav.SetUpdateRunning(true);
  EXPECT_FALSE(nav.PressGroup(4));
  EXPECT_EQ(nav.Group(), 2);
  EXPECT_EQ(nav.View(), MainView::System);

  nav.SetUpdateRunning(false);
  EXPECT_FALSE(nav.PressGroup(0));
  EXPECT_FALSE(nav.PressGroup(5));
  EXPECT_TRUE(nav.PressGroup(4));
}

TEST(NavigationTest, LampOpensSystemOnlyWhenDark) {
  CNavigation nav;
  EXPECT_FALSE(nav.ClickLamp(true));
  EXPECT_EQ(nav.View(), MainView::Channel);
  EXPECT_TRUE(nav.ClickLamp(false));
  EXPECT_EQ(nav.View(), MainView::System);
}

TEST(NavigationTest, ChannelViewsSetViewModeAndAreLeftByNavigation) {
  CNavigation nav;
  ASSERT_TRUE(nav.EnterInputChannelView(3, 2));
  EXPECT_EQ(nav.ViewMode(), 2);
  EXPECT_EQ(nav.ChannelViewKind(), ChannelView::Input);
  EXPECT_EQ(nav.ChannelViewChannel(), 3);
  EXPECT_EQ(nav.ChannelViewEditor(), 2);
  nav.PressGroup(1);
  EXPECT_EQ(nav.ChannelViewKind(), ChannelView::None);

  ASSERT_TRUE(nav.EnterOutputChannelView(7, 1));
  EXPECT_EQ(nav.ViewMode(), 3);
  nav.Home();
  EXPECT_EQ(nav.ChannelViewKind(), ChannelView::None);
  EXPECT_EQ(nav.ViewMode(), 1);
  EXPECT_EQ(nav.View(), MainView::Channel);

  EXPECT_FALSE(nav.EnterInputChannelView(18, 1));
  EXPECT_FALSE(nav.EnterInputChannelView(0, 5));
  EXPECT_FALSE(nav.EnterOutputChannelView(8, 1));
  EXPECT_FALSE(nav.EnterOutputChannelView(0, 3));
  EXPECT_EQ(nav.ChannelViewKind(), ChannelView::None);
}

TEST(NavigationTest, GroupStripsMatchTheirRecords) {
  auto strips = CNavigation::GroupStrips(1);
  ASSERT_EQ(strips.size(), 8u);
  EXPECT_EQ(strips.front(), (StripSlot{false, 0}));
  EXPECT_EQ(strips.back(), (StripSlot{false, 7}));
  strips = CNavigation::GroupStrips(2);
  ASSERT_EQ(strips.size(), 4u);
  EXPECT_EQ(strips.front(), (StripSlot{false, 8}));
  EXPECT_EQ(strips.back(), (StripSlot{false, 11}));
  EXPECT_EQ(CNavigation::GroupStrips(3), (std::vector<StripSlot>{{false, 16}, {false, 17}}));
  strips = CNavigation::GroupStrips(4);
  ASSERT_EQ(strips.size(), 8u);
  EXPECT_EQ(strips.front(), (StripSlot{true, 0}));
  EXPECT_EQ(strips.back(), (StripSlot{true, 7}));
  EXPECT_TRUE(CNavigation::GroupStrips(5).empty());
}

}  // namespace
}  // namespace orvx
