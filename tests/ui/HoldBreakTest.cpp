// A fader or knob held by the operator ignores values set from code until its release. When the
// release can never arrive (the page hides, the focus or the window goes elsewhere, a modal dialog
// opens, a pop-up takes the mouse), the control must end the hold itself, exactly as a release.
#include "UiTestSupport.h"
#include "ui/SkinKnob.h"
#include "ui/SkinSlider.h"

#include <QDialog>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <functional>

namespace orvx {
namespace {

using test::Recorder;

struct BreakCase {
  const char* name;
  /// Breaks the hold of `control`, a child of `page`, itself a child of `window`.
  std::function<void(QWidget* window, QWidget* page, QWidget* control)> apply;
};

void SendTo(QWidget* target, QEvent::Type type) {
  QEvent event(type);
  QCoreApplication::sendEvent(target, &event);
}

const BreakCase kCases[] = {
    {"PageHidden", [](QWidget*, QWidget* page, QWidget*) { page->hide(); }},
    {"FocusLost",
     [](QWidget*, QWidget*, QWidget* control) {
       ASSERT_TRUE(control->hasFocus());
       control->clearFocus();
     }},
    {"WindowDeactivated", [](QWidget* window, QWidget*, QWidget*) { SendTo(window, QEvent::WindowDeactivate); }},
    {"ModalDialogOpened",
     [](QWidget*, QWidget*, QWidget*) {
       auto* dialog = new QDialog;
       dialog->setAttribute(Qt::WA_DeleteOnClose);
       dialog->setWindowModality(Qt::ApplicationModal);
       dialog->show();  // blocks the control's window
       dialog->close();
     }},
    {"MouseGrabLost", [](QWidget*, QWidget*, QWidget* control) { SendTo(control, QEvent::UngrabMouse); }},
};

class HoldBreakTest : public ::testing::TestWithParam<BreakCase> {
protected:
  void SetUp() override {
    m_window.resize(200, 260);
    m_page = new QWidget(&m_window);
    m_page->setGeometry(0, 0, 200, 260);
    new QLineEdit(&m_window);  // somewhere else for the focus to be
  }

  /// Shows the window and makes it active, so that the control can hold the focus.
  void ShowActive() {
    m_window.show();
    m_window.activateWindow();
    for (int i = 0; i < 50 && QApplication::activeWindow() != &m_window; ++i) {
      QCoreApplication::processEvents();
    }
    ASSERT_EQ(QApplication::activeWindow(), &m_window);
  }

  QWidget m_window;
  QWidget* m_page = nullptr;
  Recorder m_released;
};

TEST_P(HoldBreakTest, FaderDragEndsAsIfReleased) {
  auto* fader = new CSkinSlider(m_page, 77);
  fader->SetVertical(true);
  fader->SetPaintedThumbSize(QSize(30, 20));
  fader->setGeometry(10, 10, 40, 200);
  fader->SetRange(0, 100);
  fader->SetPos(50);  // thumb centre at 100
  QObject::connect(fader, &CSkinSlider::SliderReleased, m_released.Slot());
  ShowActive();
  test::Press(fader, QPoint(20, 100));
  test::MoveTo(fader, QPoint(20, 121));  // trunc(111 / 180 x 100)
  ASSERT_TRUE(fader->IsHeld());
  fader->SetPos(10);
  ASSERT_EQ(fader->Pos(), 61);  // held: the hand wins

  GetParam().apply(&m_window, m_page, fader);

  EXPECT_FALSE(fader->IsHeld());
  const std::vector<std::pair<int, int>> released{{77, 61}};
  EXPECT_EQ(m_released.calls, released);
  fader->SetPos(10);
  EXPECT_EQ(fader->Pos(), 10);
  test::Release(fader, QPoint(20, 121));  // a late release reports nothing more
  EXPECT_EQ(m_released.calls, released);
}

TEST_P(HoldBreakTest, KnobDragEndsAsIfReleased) {
  auto* knob = new CSkinKnob(m_page, 9);
  knob->setGeometry(10, 10, 48, 48);
  knob->SetRange(-20, 20);  // 5 px per unit
  QObject::connect(knob, &CSkinKnob::SliderReleased, m_released.Slot());
  ShowActive();
  test::Press(knob, QPoint(24, 24));
  test::MoveTo(knob, QPoint(24, 14));  // up 10 px: +2
  ASSERT_TRUE(knob->IsHeld());
  knob->SetValue(-7);
  ASSERT_EQ(knob->Value(), 2);

  GetParam().apply(&m_window, m_page, knob);

  EXPECT_FALSE(knob->IsHeld());
  const std::vector<std::pair<int, int>> released{{9, 2}};
  EXPECT_EQ(m_released.calls, released);
  knob->SetValue(-7);
  EXPECT_EQ(knob->Value(), -7);
  test::Release(knob, QPoint(24, 14));
  EXPECT_EQ(m_released.calls, released);
}

INSTANTIATE_TEST_SUITE_P(Cases, HoldBreakTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<BreakCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvx
