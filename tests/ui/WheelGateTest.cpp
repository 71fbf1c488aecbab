#include "ui/WheelGate.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "UiTestSupport.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinKnob.h"
#include "ui/SkinSlider.h"

namespace orvx {
namespace {

TEST(WheelGate, TheWheelIsTheControlsOnlyAfterARestOrWithAModifier) {
  CWheelGate gate;
  struct Case {
    std::int64_t now;
    bool modifier;
    bool takes;
  };
  EXPECT_FALSE(gate.TakesWheel(5'000, false)) << "the pointer is not over it";
  EXPECT_TRUE(gate.TakesWheel(5'000, true));
  gate.PointerEntered(1'000);
  for (const Case& c : {Case{1'000, false, false}, Case{1'000 + CWheelGate::kRestMs - 1, false, false},
                        Case{1'000 + CWheelGate::kRestMs, false, true}, Case{1'050, true, true}})
    EXPECT_EQ(gate.TakesWheel(c.now, c.modifier), c.takes) << c.now << " " << c.modifier;
  gate.PointerLeft();
  EXPECT_FALSE(gate.TakesWheel(9'000, false));
}

// A pointer passing over a fader, a knob or a list while the operator scrolls the page leaves its
// value alone and hands the turn on (the scroll area scrolls).
TEST(WheelGate, APassingWheelLeavesEveryControlAloneAndScrollsThePage) {
  test::App();
  CSkinSlider slider(nullptr, 1);
  slider.resize(40, 200);
  slider.SetRange(0, 70);
  slider.SetPos(30);
  CSkinKnob knob;
  knob.resize(60, 60);
  knob.SetRange(0, 100);
  knob.SetValue(50);
  CSkinComboBox combo;
  combo.resize(100, 24);
  for (const char* row : {"A", "B", "C"}) combo.AddString(QString::fromLatin1(row));
  combo.SetCurSel(1);
  for (QWidget* w : {static_cast<QWidget*>(&slider), static_cast<QWidget*>(&knob), static_cast<QWidget*>(&combo)}) {
    test::Enter(w);  // just arrived: no rest yet
    EXPECT_FALSE(test::Wheel(w, -240)) << w->metaObject()->className();
  }
  EXPECT_EQ(slider.Pos(), 30);
  EXPECT_EQ(knob.Value(), 50);
  EXPECT_EQ(combo.GetCurSel(), 1);
  EXPECT_TRUE(test::Turn(&slider, -240));
  EXPECT_EQ(std::abs(slider.Pos() - 30), 2) << "with Ctrl the turn is the fader's at once";
}

}  // namespace
}  // namespace orvx
