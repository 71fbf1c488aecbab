#include "UiTestSupport.h"
#include "ui/DropListPopup.h"
#include "ui/SkinComboBox.h"

#include <QScreen>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace orvx {
namespace {

using test::Recorder;

class SkinComboBoxTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_combo.resize(120, 24);
    m_combo.CreateDropList(42);
    for (const char* row : {"MIC", "LINE", "USB"}) {
      m_combo.AddString(row);
    }
    QObject::connect(&m_combo, &CSkinComboBox::DropdownSelected, m_selected.Slot());
  }

  CSkinComboBox m_combo;
  Recorder m_selected;
};

TEST_F(SkinComboBoxTest, SetCurSelClampsAndIsSilent) {
  m_combo.SetCurSel(-5);
  EXPECT_EQ(m_combo.GetCurSel(), 0);
  m_combo.SetCurSel(3);
  EXPECT_EQ(m_combo.GetCurSel(), 2);
  EXPECT_EQ(m_combo.DropList()->currentRow(), 2);
  EXPECT_TRUE(m_selected.calls.empty());
}

TEST_F(SkinComboBoxTest, WheelNotchStepsAndAlwaysReports) {
  m_combo.SetCurSel(1);
  test::Turn(&m_combo, -120);  // towards the user: next row
  EXPECT_EQ(m_combo.GetCurSel(), 2);
  test::Turn(&m_combo, -120);  // already last: stays, still reports
  EXPECT_EQ(m_combo.GetCurSel(), 2);
  test::Turn(&m_combo, 60);
  EXPECT_EQ(m_selected.calls.size(), 2u);
  test::Turn(&m_combo, 60);
  EXPECT_EQ(m_combo.GetCurSel(), 1);
  const std::vector<std::pair<int, int>> expected{{42, 2}, {42, 2}, {42, 1}};
  EXPECT_EQ(m_selected.calls, expected);
  EXPECT_FALSE(m_combo.IsDropListShown());
}

TEST_F(SkinComboBoxTest, ClickOpensTheListBelowTheFace) {
  m_combo.move(0, 0);
  m_combo.show();
  test::Press(&m_combo, QPoint(10, 10));
  ASSERT_TRUE(m_combo.IsDropListShown());
  const QRect list = m_combo.DropList()->geometry();
  const QRect face(m_combo.mapToGlobal(QPoint(0, 0)), m_combo.size());
  EXPECT_EQ(list.top(), face.bottom());
  EXPECT_EQ(list.left(), face.left());
  EXPECT_EQ(list.width(), face.width());
  EXPECT_EQ(list.height(), 3 * m_combo.DropList()->RowHeight() + 1 + 2 * m_combo.DropList()->FrameWidth());
  m_combo.HideDropList();
}

TEST_F(SkinComboBoxTest, OpenListShowsEveryRowWithoutAScrollBar) {
  m_combo.move(0, 0);
  m_combo.show();
  m_combo.ShowDropList();
  CDropListPopup* list = m_combo.DropList();
  ASSERT_GT(list->FrameWidth(), 0);  // the list draws a frame the rows must not lose
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();  // the list lays out its rows on a zero timer
  }
  EXPECT_EQ(list->verticalScrollBar()->maximum(), 0);
  EXPECT_LE(list->visualItemRect(list->item(2)).bottom(), list->viewport()->height() - 1);
  m_combo.HideDropList();

  for (int i = 0; i < 20; ++i) {  // far over the maximum height: now it scrolls
    m_combo.AddString(QString::number(i));
  }
  m_combo.ShowDropList();
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::processEvents();
  }
  EXPECT_GT(list->verticalScrollBar()->maximum(), 0);
  m_combo.HideDropList();
}

TEST_F(SkinComboBoxTest, NearTheBottomOfTheScreenTheListOpensAbove) {
  const QRect screen = m_combo.screen()->availableGeometry();
  m_combo.move(screen.left() + 10, screen.bottom() - 40);
  m_combo.show();
  m_combo.ShowDropList();
  ASSERT_TRUE(m_combo.IsDropListShown());
  const QRect list = m_combo.DropList()->geometry();
  const QRect face(m_combo.mapToGlobal(QPoint(0, 0)), m_combo.size());
  EXPECT_EQ(list.bottom(), face.top());  // its last row on the face's first
  EXPECT_EQ(list.height(),
            DropListLayout::ListHeight(3, m_combo.DropList()->RowHeight(), 200, m_combo.DropList()->FrameWidth()));
  EXPECT_EQ(list.left(), face.left());
  m_combo.HideDropList();
}

TEST_F(SkinComboBoxTest, ArrowKeysOnTheFaceStepLikeTheWheel) {
  m_combo.SetCurSel(0);
  for (int key : {Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up}) {
    test::Key(&m_combo, key);
  }
  EXPECT_EQ(m_combo.GetCurSel(), 1);
  const std::vector<std::pair<int, int>> expected{{42, 1}, {42, 2}, {42, 2}, {42, 1}};  // the last row still reports
  EXPECT_EQ(m_selected.calls, expected);
  EXPECT_FALSE(m_combo.IsDropListShown());
}

TEST_F(SkinComboBoxTest, SpaceAndAltDownOpenTheList) {
  m_combo.show();
  EXPECT_TRUE(m_combo.focusPolicy() & Qt::TabFocus);
  test::Key(&m_combo, Qt::Key_Space);
  EXPECT_TRUE(m_combo.IsDropListShown());
  m_combo.HideDropList();
  QKeyEvent altDown(QEvent::KeyPress, Qt::Key_Down, Qt::AltModifier);
  QCoreApplication::sendEvent(&m_combo, &altDown);
  EXPECT_TRUE(m_combo.IsDropListShown());
  m_combo.HideDropList();
  EXPECT_TRUE(m_selected.calls.empty());
}

TEST_F(SkinComboBoxTest, InTheOpenListArrowsMoveEnterChoosesAndEscapeCloses) {
  m_combo.SetCurSel(0);
  m_combo.show();
  m_combo.ShowDropList();
  CDropListPopup* list = m_combo.DropList();
  test::Key(list, Qt::Key_Down);
  EXPECT_EQ(list->currentRow(), 1);
  EXPECT_TRUE(m_selected.calls.empty());  // moving is not choosing
  test::Key(list, Qt::Key_Return);
  EXPECT_FALSE(m_combo.IsDropListShown());
  EXPECT_EQ(m_combo.GetCurSel(), 1);
  const std::vector<std::pair<int, int>> chosen{{42, 1}};
  EXPECT_EQ(m_selected.calls, chosen);

  m_combo.ShowDropList();
  test::Key(list, Qt::Key_Up);
  test::Key(list, Qt::Key_Escape);
  EXPECT_FALSE(m_combo.IsDropListShown());
  EXPECT_EQ(m_combo.GetCurSel(), 1);
  EXPECT_EQ(list->currentRow(), 1);
  EXPECT_EQ(m_selected.calls, chosen);
}

TEST_F(SkinComboBoxTest, ChoosingARowReportsExactlyOnceAfterTheFaceShowsIt) {
  m_combo.SetCurSel(0);
  m_combo.show();
  QString shownWhenReported;
  QObject::connect(&m_combo, &CSkinComboBox::DropdownSelected, [&](int, int row) {
    shownWhenReported = m_combo.GetText(m_combo.GetCurSel()) + "/" + QString::number(row);
  });
  m_combo.ShowDropList();
  CDropListPopup* list = m_combo.DropList();
  const QRect row1 = list->visualItemRect(list->item(1));
  test::Press(list->viewport(), row1.center());
  test::Release(list->viewport(), row1.center());
  EXPECT_FALSE(m_combo.IsDropListShown());
  ASSERT_EQ(m_selected.calls.size(), 1u);
  EXPECT_EQ(m_selected.calls[0], std::make_pair(42, 1));
  EXPECT_EQ(shownWhenReported, "LINE/1");
  EXPECT_TRUE(m_combo.IsHovered());
}

TEST_F(SkinComboBoxTest, ClosingWithoutAChoiceRestoresTheListSelection) {
  m_combo.SetCurSel(2);
  m_combo.show();
  m_combo.ShowDropList();
  m_combo.DropList()->setCurrentRow(0);  // the pointer wandered over row 0
  m_combo.HideDropList();
  EXPECT_EQ(m_combo.DropList()->currentRow(), 2);
  EXPECT_EQ(m_combo.GetCurSel(), 2);
  EXPECT_TRUE(m_selected.calls.empty());
}

TEST_F(SkinComboBoxTest, HoverFollowsEnterLeaveAndFocusLoss) {
  test::Enter(&m_combo);
  EXPECT_TRUE(m_combo.IsHovered());
  test::Leave(&m_combo);
  EXPECT_FALSE(m_combo.IsHovered());
}

TEST_F(SkinComboBoxTest, ResetContentEmptiesListAndFace) {
  m_combo.SetCurSel(1);
  m_combo.ResetContent();
  EXPECT_EQ(m_combo.GetCount(), 0);
  EXPECT_EQ(m_combo.GetCurSel(), -1);
  EXPECT_EQ(m_combo.DropList()->count(), 0);
  test::Turn(&m_combo, -120);
  EXPECT_TRUE(m_selected.calls.empty());
}

}  // namespace
}  // namespace orvx
