#include <gtest/gtest.h>

#include "device/ConferenceUnits.h"
#include "link/Commands.h"
#include "link/FrameChecksum.h"

namespace orvx {
namespace {

TEST(ConferenceUnitCaptions, ButtonsAndSlotEntries) {
  EXPECT_EQ(UnitButtonCaption(0), "PLK-700-01");
  EXPECT_EQ(UnitButtonCaption(15), "PLK-700-16");
  EXPECT_EQ(UnitButtonCaption(16), "");
  const auto entries = SlotEntryCaptions();
  const std::pair<int, const char*> expected[] = {{0, "NULL"}, {1, "CH01"}, {12, "CH12"}, {13, "M01"},
                                                  {16, "M04"}, {17, "D01"}, {20, "D04"}};
  for (const auto& [index, text] : expected) EXPECT_EQ(entries[index], text) << index;
  EXPECT_EQ(SlotEntryCaption(21), "");
}

TEST(ConferenceUnitCaptions, ButtonsFollowTheReportedCount) {
  struct Case {
    int button, count;
    bool visible, enabled;
  };
  const Case cases[] = {{0, 0, true, false},  {3, 0, true, false}, {0, 2, true, true},
                        {1, 2, true, true},   {2, 2, true, false}, {3, 4, true, true},
                        {4, 4, false, false}, {3, 10, true, true}, {9, 10, false, false}};
  for (const Case& c : cases) {
    const UnitButtonView v = UnitButtonState(c.button, c.count);
    EXPECT_EQ(v.visible, c.visible) << c.button << "/" << c.count;
    EXPECT_EQ(v.enabled, c.enabled) << c.button << "/" << c.count;
  }
}

/// Four units; unit 1 slot 2 feeds CH05, unit 3 slot 4 feeds D04.
class UnitTableTest : public ::testing::Test {
protected:
  UnitTableTest() {
    m_state.unitCount = 4;
    m_state.unitSlots[1][2] = 5;
    m_state.unitSlots[3][4] = 20;
    m_state.link.online = true;
    m_table.Refresh();
  }
  std::string XFrame(int unit, const char* run) {
    return CompleteFrame("%X,01,0" + std::to_string(unit) + "," + run + ",");
  }

  CDeviceState m_state;
  CUnitTable m_table{m_state};
};

TEST_F(UnitTableTest, AssignmentFrameWritesEveryEntryKind) {
  struct Case {
    int index;
    const char* hex;
  };
  const Case cases[] = {{0, "FF"}, {1, "01"}, {12, "0C"}, {13, "0D"}, {16, "10"}, {17, "11"}, {20, "14"}};
  for (const Case& c : cases) {
    m_state.unitSlots[1][0] = static_cast<std::uint8_t>(c.index);
    m_state.unitSlots[1][2] = 0;
    EXPECT_EQ(FrameX(m_state, 2), XFrame(2, (std::string(c.hex) + "FFFFFFFF").c_str())) << c.index;
  }
  // Unit 2 holding CH03, NULL, NULL, NULL, D01.
  m_state.unitSlots[1][0] = 3;
  m_state.unitSlots[1][4] = 17;
  EXPECT_EQ(FrameX(m_state, 2), XFrame(2, "03FFFFFF11"));
}

TEST_F(UnitTableTest, CallGoesOutEvenOffline) {
  m_state.link.online = false;
  ASSERT_TRUE(m_table.SelectUnit(2));
  const FramePlan call = m_table.Call();
  ASSERT_EQ(call.size(), 1u);
  EXPECT_EQ(call[0].bytes, CompleteFrame("%W,01,03,"));
  EXPECT_EQ(call[0].pauseAfterMs, 10);
}

TEST_F(UnitTableTest, CurrentUnitFollowsTheReportedCount) {
  EXPECT_EQ(m_table.CurrentUnit(), 0);
  ASSERT_TRUE(m_table.SelectUnit(3));
  EXPECT_EQ(m_table.SlotIndex(4), 20);

  m_state.unitCount = 2;  // the processor now reports fewer units
  m_table.Refresh();
  EXPECT_EQ(m_table.CurrentUnit(), 0);
  EXPECT_FALSE(m_table.SelectUnit(2));

  m_state.unitCount = 0;
  m_table.Refresh();
  EXPECT_EQ(m_table.CurrentUnit(), kNoUnit);
  EXPECT_EQ(m_table.SlotIndex(0), -1);
  EXPECT_TRUE(m_table.Call().empty());
}

}  // namespace
}  // namespace orvx
