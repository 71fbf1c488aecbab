#include "UiTestSupport.h"
#include "ui/PngButton.h"
#include "ui/SkinStore.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace orvx {
namespace {

// Writes three flat faces of distinct colours into a skin folder of its own.
class PngButtonTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    Write("t_first", Qt::red);
    Write("t_second", Qt::green);
    Write("t_third", Qt::blue);
    CSkinStore::Instance().AddSearchDir(m_dir.path());
    m_button.resize(60, 30);
    m_button.SetSliceMargins(QMargins());
  }
  void Write(const QString& name, QColor colour) {
    QImage image(20, 10, QImage::Format_ARGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(m_dir.filePath(name + ".png")));
  }
  QColor CentrePixel() { return m_button.grab().toImage().pixelColor(30, 3); }

  QTemporaryDir m_dir;
  PngButton m_button;
};

TEST_F(PngButtonTest, ToggleFaceFollowsCheckedAndUnavailable) {
  EXPECT_TRUE(m_button.SetImages("t_first", "t_second"));
  m_button.SetThirdImage("t_third");
  EXPECT_EQ(CentrePixel(), QColor(Qt::red));
  m_button.SetChecked(true);
  EXPECT_EQ(CentrePixel(), QColor(Qt::green));
  EXPECT_EQ(m_button.CurrentCaptionColor(), QColor(0x00, 0xe6, 0xff));
  m_button.SetUnavailable(true);
  EXPECT_EQ(CentrePixel(), QColor(Qt::blue));
}

TEST_F(PngButtonTest, HoverSwitchesFacesInPushModeOnly) {
  m_button.SetImages("t_first", "t_second");
  m_button.SetMode(PngButton::Push);
  test::Enter(&m_button);
  EXPECT_EQ(CentrePixel(), QColor(Qt::green));
  test::Leave(&m_button);
  EXPECT_EQ(CentrePixel(), QColor(Qt::red));
  m_button.SetMode(PngButton::Toggle);
  test::Enter(&m_button);
  EXPECT_TRUE(m_button.IsHovered());
  EXPECT_EQ(CentrePixel(), QColor(Qt::red));
}

TEST_F(PngButtonTest, MissingImageDrawsNoFaceButStillTheCaption) {
  EXPECT_FALSE(m_button.SetImages("t_first", "no_such_face"));
  m_button.setText("MUTE");
  m_button.SetChecked(true);
  const QImage image = m_button.grab().toImage();
  bool caption = false;
  for (int y = 0; y < image.height() && !caption; ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      caption = caption || (c.blue() > 150 && c.green() > 150 && c.red() < 100);  // the cyan checked caption
    }
  }
  EXPECT_TRUE(caption);
  EXPECT_NE(image.pixelColor(1, 1), QColor(Qt::red));
}

TEST_F(PngButtonTest, SizeModeOneTakesTheFirstImagesSizeAndKeepsTheCorner) {
  m_button.move(17, 23);
  m_button.SetSizeMode(1);
  m_button.SetImages("t_first", "t_second");
  EXPECT_EQ(m_button.size(), QSize(20, 10));
  EXPECT_EQ(m_button.pos(), QPoint(17, 23));
}

TEST_F(PngButtonTest, FastDoubleClickCountsAsTwoClicks) {
  int clicks = 0;
  QObject::connect(&m_button, &QAbstractButton::clicked, [&] { ++clicks; });
  m_button.show();
  const QPoint at(10, 10);
  test::Press(&m_button, at);
  test::Release(&m_button, at);
  test::DoubleClick(&m_button, at);
  test::Release(&m_button, at);
  EXPECT_EQ(clicks, 2);
}

}  // namespace
}  // namespace orvx
