// A pop-up shown with CMenuEx::Exec is a skinned menu and hands back the chosen command.
#include "UiTestSupport.h"
#include "ui/MenuEx.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace orvx {
namespace {

struct ExecCase {
  int key;          ///< key pressed once the menu is up
  int highlighted;  ///< command of the item highlighted before the key
  int expected;     ///< what Exec returns
};

class MenuExecTest : public ::testing::TestWithParam<ExecCase> {};

TEST_P(MenuExecTest, ShowsTheSkinnedMenuAndReturnsTheChosenCommand) {
  const ExecCase& c = GetParam();
  bool skinned = false;
  QTimer operatorHand;  // acts once the menu's own loop runs
  operatorHand.setSingleShot(true);
  QObject::connect(&operatorHand, &QTimer::timeout, [&] {
    auto* menu = qobject_cast<CMenuEx*>(QApplication::activePopupWidget());
    if (menu == nullptr) {
      return;  // the guard below closes whatever is up
    }
    skinned = qobject_cast<CMenuExStyle*>(menu->style()) != nullptr;
    for (QAction* action : menu->actions()) {
      if (CMenuEx::CommandOf(action) == c.highlighted) {
        menu->setActiveAction(action);
      }
    }
    test::Key(menu, c.key);
  });
  QTimer guard;  // never leaves a test waiting on a menu nobody closes
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  });
  operatorHand.start(0);
  guard.start(5000);

  const int command = CMenuEx::Exec(
      {CMenuEx::Item::Command("SAVE", 7), CMenuEx::Item::Separator(), CMenuEx::Item::Command("DELETE", 9)},
      QPoint(40, 40));
  EXPECT_TRUE(skinned);
  EXPECT_EQ(command, c.expected);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, MenuExecTest,
                         ::testing::Values(ExecCase{Qt::Key_Return, 9, 9}, ExecCase{Qt::Key_Return, 7, 7},
                                           ExecCase{Qt::Key_Escape, 9, 0}));

}  // namespace
}  // namespace orvx
