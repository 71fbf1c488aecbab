#include "UiTestSupport.h"
#include "ui/CaptionButton.h"
#include "ui/MenuEx.h"

#include <QStyleOptionMenuItem>

#include <gtest/gtest.h>

namespace orvx {
namespace {

TEST(CaptionButtonTest, DisabledWhileHoveredDrawsGray) {
  CCaptionButton button;
  button.resize(28, 22);
  test::Enter(&button);
  EXPECT_EQ(button.State(), CaptionState::Over);
  button.setEnabled(false);
  EXPECT_EQ(button.State(), CaptionState::Gray);
  button.setEnabled(true);
  test::Leave(&button);
  EXPECT_EQ(button.State(), CaptionState::Normal);
}

TEST(CaptionButtonTest, PinnedAndMaximisedGlyphsSwapNormalAndOverColours) {
  CCaptionButton button;
  CaptionButtonStyle style = CaptionButtonStyle::FromTheme("maxed_mini");
  style.glyph = {QColor(1, 1, 1), QColor(2, 2, 2), QColor(3, 3, 3), QColor(4, 4, 4)};
  button.SetStyle(style);
  EXPECT_EQ(button.GlyphColor(CaptionState::Normal), QColor(2, 2, 2));
  EXPECT_EQ(button.GlyphColor(CaptionState::Over), QColor(1, 1, 1));
  EXPECT_EQ(button.GlyphColor(CaptionState::Down), QColor(3, 3, 3));
  style.name = "max";
  button.SetStyle(style);
  EXPECT_EQ(button.GlyphColor(CaptionState::Normal), QColor(1, 1, 1));
}

// Measures an item the way QMenu does, through the menu's style.
QSize Measure(CMenuEx& menu, QStyleOptionMenuItem::MenuItemType type, const QString& text, bool icon) {
  QStyleOptionMenuItem option;
  option.initFrom(&menu);
  option.menuItemType = type;
  option.text = text;
  option.fontMetrics = menu.fontMetrics();
  if (icon) {
    QPixmap pixmap(16, 15);
    pixmap.fill(Qt::red);
    option.icon = QIcon(pixmap);
  }
  return menu.style()->sizeFromContents(QStyle::CT_MenuItem, &option, QSize(), &menu);
}

TEST(MenuExTest, ItemsAreMeasuredByTheMenuItselfPlusTheCheckColumn) {
  CMenuEx menu;
  const int check = menu.Metrics().checkColumn;
  EXPECT_EQ(Measure(menu, QStyleOptionMenuItem::Separator, "", false).height(), 10);
  EXPECT_EQ(Measure(menu, QStyleOptionMenuItem::Normal, "", false), QSize(16 + check, 19));
  const int text = menu.fontMetrics().horizontalAdvance("SAVE");
  EXPECT_EQ(Measure(menu, QStyleOptionMenuItem::Normal, "SAVE", true).width(), text + 16 + 30 + check);
  EXPECT_EQ(Measure(menu, QStyleOptionMenuItem::SubMenu, "SAVE", false).width(), text + 16 + 15 + check);
  // The text, drawn from icon width + 10, always fits.
  EXPECT_GE(Measure(menu, QStyleOptionMenuItem::Normal, "SAVE", false).width(), menu.Metrics().TextLeft() + text);
}

TEST(MenuExTest, LoadBuildsItemsSubMenusAndCommands) {
  CMenuEx menu;
  using Item = CMenuEx::Item;
  const Item sub = Item::Popup("RECALL", {Item::Command("A", 31), Item::Command("B", 32, true, true)});
  menu.LoadOwnerDrawMenu({Item::Command("SAVE", 11), Item::Separator(), sub, Item::Command("DELETE", 12, false)});
  const QList<QAction*> actions = menu.actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_EQ(CMenuEx::CommandOf(actions[0]), 11);
  EXPECT_TRUE(actions[1]->isSeparator());
  ASSERT_NE(actions[2]->menu(), nullptr);
  EXPECT_NE(dynamic_cast<CMenuEx*>(actions[2]->menu()), nullptr);  // sub-menus share the look
  const QList<QAction*> children = actions[2]->menu()->actions();
  ASSERT_EQ(children.size(), 2);
  EXPECT_TRUE(children[1]->isChecked());
  EXPECT_EQ(CMenuEx::CommandOf(children[1]), 32);
  EXPECT_FALSE(actions[3]->isEnabled());
}

}  // namespace
}  // namespace orvx
