#include "UiTestSupport.h"
#include "ui/DropListPopup.h"
#include "ui/SkinComboBox.h"

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
  test::Wheel(&m_combo, -120);  // towards the user: next row
  EXPECT_EQ(m_combo.GetCurSel(), 2);
  test::Wheel(&m_combo, -120);  // already last: stays, still reports
  EXPECT_EQ(m_combo.GetCurSel(), 2);
  test::Wheel(&m_combo, 60);
  EXPECT_EQ(m_selected.calls.size(), 2u);
  test::Wheel(&m_combo, 60);
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
  EXPECT_EQ(list.height(), 3 * m_combo.DropList()->RowHeight() + 1);
  m_combo.HideDropList();
}

TEST_F(SkinComboBoxTest, ChoosingARowReportsExactlyOnceAfterTheFaceShowsIt) {
  m_combo.SetCurSel(0);
  m_combo.show();
  QString shownWhenReported;
  QObject::connect(&m_combo, &CSkinComboBox::DropdownSelected,
                   [&](int, int row) { shownWhenReported = m_combo.GetText(m_combo.GetCurSel()) + "/" + QString::number(row); });
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
  test::Wheel(&m_combo, -120);
  EXPECT_TRUE(m_selected.calls.empty());
}

}  // namespace
}  // namespace orvx
