#include "UiTestSupport.h"
#include "ui/ValueLabel.h"

#include <QImage>

#include <gtest/gtest.h>

namespace orvx {
namespace {

TEST(ValueLabelTest, TextAndValueModesAndTheirTooltip) {
  CValueLabel label("DEVICE SETTING");
  EXPECT_EQ(label.DisplayText(), "DEVICE SETTING");
  EXPECT_EQ(label.toolTip(), "DEVICE SETTING");
  ValueLabelFormat format;
  format.divisor = 10;
  format.prefix = "G:";
  format.suffix = "dB";
  label.SetFormat(format);
  label.SetValue(15);
  label.SetPlainText(false);
  EXPECT_EQ(label.DisplayText(), "G:1.5dB");
  EXPECT_EQ(label.toolTip(), "G:1.5dB");
  label.SetValue(20);
  EXPECT_EQ(label.DisplayText(), "G:2dB");
}

TEST(ValueLabelTest, EmptyOpaqueLabelDrawsOnlyItsBackground) {
  CValueLabel label;
  label.resize(40, 16);
  label.SetOpaque(true);
  label.SetBackgroundColor(QColor(10, 20, 30));
  const QImage image = label.grab().toImage();
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      ASSERT_EQ(image.pixelColor(x, y), QColor(10, 20, 30)) << x << "," << y;
    }
  }
  label.SetText("IP:");
  EXPECT_NE(label.grab().toImage(), image);
}

TEST(ValueLabelTest, ClicksAreReported) {
  CValueLabel label;
  int released = 0;
  int doubled = 0;
  QObject::connect(&label, &CValueLabel::Released, [&] { ++released; });
  QObject::connect(&label, &CValueLabel::DoubleClicked, [&] { ++doubled; });
  test::Release(&label, QPoint(2, 2));
  test::DoubleClick(&label, QPoint(2, 2));
  EXPECT_EQ(released, 1);
  EXPECT_EQ(doubled, 1);
}

}  // namespace
}  // namespace orvx
