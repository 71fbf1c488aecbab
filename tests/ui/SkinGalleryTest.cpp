// Renders every skinned control, in its resting and its active state, into one picture
// (<build>/skin-gallery.png) so the look can be judged, and checks the skin is really there.
#include "UiTestSupport.h"
#include "ui/CaptionButton.h"
#include "ui/LevelGraph.h"
#include "ui/MenuEx.h"
#include "ui/PngButton.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinKnob.h"
#include "ui/SkinSlider.h"
#include "ui/SkinStore.h"
#include "ui/SkinTheme.h"
#include "ui/ValueLabel.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

namespace orvx {
namespace {

const std::filesystem::path kResDir = std::filesystem::path(ORVX_SOURCE_DIR) / "res";

void UseSourceSkin() { CSkinStore::Instance().AddSearchDir(QString::fromStdString((kResDir / "skin").string())); }

/// Skin names listed in res/skin.qrc.
QStringList QrcSkinNames() {
  QFile qrc(QString::fromStdString((kResDir / "skin.qrc").string()));
  if (!qrc.open(QIODevice::ReadOnly)) {
    return {};
  }
  QStringList names;
  const QRegularExpression file("<file>skin/([a-z_0-9]+)\\.png</file>");
  for (auto it = file.globalMatch(QString::fromUtf8(qrc.readAll())); it.hasNext();) {
    names << it.next().captured(1);
  }
  return names;
}

QWidget* Panel(QWidget* parent, const QRect& geometry, const QString& tile) {
  auto* panel = new QWidget(parent);
  panel->setGeometry(geometry);
  QPalette palette = panel->palette();
  palette.setBrush(QPalette::Window, QBrush(LoadPngResource(tile)));
  panel->setPalette(palette);
  panel->setAutoFillBackground(true);
  return panel;
}

PngButton* Button(QWidget* parent, const QString& caption, const QString& face, const QString& lit, QRect at,
                  bool checked) {
  auto* button = new PngButton(caption, parent);
  button->SetImages(face, lit);
  if (lit == "button_red" || lit == "button_amber" || lit == "button_green") {
    button->SetCheckedCaptionColor(Qt::white);  // coloured keys carry a white caption
  }
  button->SetChecked(checked);
  button->setGeometry(at);
  return button;
}

/// One input strip as the mixer page lays it out, `active` showing its lit states.
void Strip(QWidget* parent, int x, int width, const QString& name, bool active, bool pngCap) {
  QWidget* strip = Panel(parent, QRect(x, 10, width, 640), "strip_bg");
  auto* caption = new CValueLabel(active ? QString::fromUtf8("信号源") : "SIGNAL", strip);
  caption->setGeometry(0, 5, width, 18);
  auto* source = new CSkinComboBox(strip);
  source->CreateDropList(1);
  for (const char* s : {"MIC", "LINE", "DANTE"}) {
    source->AddString(s);
  }
  source->SetCurSel(active ? 1 : 0);
  if (pngCap) {
    source->SetFaceImages("combo_face", "combo_hover");
  }
  source->setGeometry(8, 25, width - 16, 24);
  auto* gain = new CSkinComboBox(strip);
  gain->CreateDropList(2);
  gain->AddString("+30dB");
  gain->SetCurSel(0);
  gain->setGeometry(8, 115, width - 16, 24);
  const int bw = width - 24;
  Button(strip, active ? QString::fromUtf8("压缩器") : "COMP", "button_normal", "button_lit", QRect(12, 145, bw, 26),
         active);
  Button(strip, active ? QString::fromUtf8("优先") : "PRIORITY", "button_normal", "button_amber",
         QRect(12, 175, bw, 26), active);
  Button(strip, "48V", "button_normal", "button_red", QRect(12, 205, bw, 26), active);
  Button(strip, active ? "ACTIVE" : "WAITING", "button_disabled", "button_green", QRect(12, 235, bw, 26), active);
  auto* fader = new CSkinSlider(strip, 3);
  fader->SetVertical(true);
  fader->SetRange(0, 70);
  if (pngCap) {
    fader->SetThumbBitmaps("fader_cap", "fader_cap_active");
    fader->SetThumbMode(2);
    fader->SetReferencePos(10);
  }
  fader->setGeometry(width / 2 - 30, 285, 44, 225);
  fader->SetPos(active ? 10 : 40);
  auto* meter = new CLevelGraph(strip);
  meter->SetColumnCount(1);
  meter->SetPlotMargins(4, 4);
  meter->setGeometry(width / 2 + 15, 290, 12, 215);
  meter->SetValue(0, active ? 46.0 : 18.0);
  Button(strip, active ? QString::fromUtf8("静音") : "MUTE", "button_normal", "button_red", QRect(12, 520, bw, 40),
         active);
  Button(strip, name, "tab_normal", "tab_down", QRect(6, 580, width - 12, 50), active);
}

/// The widget alone on a transparent image (no window background behind it).
QImage RenderAlone(QWidget& widget) {
  QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}

class SkinGalleryTest : public ::testing::Test {
protected:
  void SetUp() override { UseSourceSkin(); }
};

TEST_F(SkinGalleryTest, EverySkinImageOfTheResourceListLoads) {
  const QStringList names = QrcSkinNames();
  ASSERT_GE(names.size(), 10);
  for (const QString& name : names) {
    const QPixmap pixmap = LoadPngResource(name);
    EXPECT_FALSE(pixmap.isNull()) << name.toStdString();
    EXPECT_TRUE(pixmap.hasAlphaChannel() || name.endsWith("_bg") || name.startsWith("bg_")) << name.toStdString();
  }
  const int decodes = CSkinStore::Instance().DecodeCount();
  LoadPngResource(names.first());
  EXPECT_EQ(CSkinStore::Instance().DecodeCount(), decodes);  // the second look-up comes from the cache
}

TEST_F(SkinGalleryTest, PressedFacesDifferFromNormalFacesAtStripWidth) {
  for (const auto& [normal, lit] : {std::pair{"button_normal", "button_lit"},
                                    {"button_normal", "button_red"},
                                    {"tab_normal", "tab_down"},
                                    {"combo_face", "combo_hover"}}) {
    PngButton button("MUTE");
    button.SetImages(normal, lit);
    button.resize(150, 40);  // a strip at 1920 x 1080 is 182 wide; faces stretch by 9-slice
    const QImage off = RenderAlone(button);
    button.SetChecked(true);
    const QImage on = RenderAlone(button);
    EXPECT_NE(off, on) << normal;
    // Corners stay crisp: the outermost corner pixel is transparent at any size.
    EXPECT_LT(off.pixelColor(0, 0).alpha(), 128) << normal;
  }
}

TEST_F(SkinGalleryTest, RendersTheGallery) {
  QWidget gallery;
  gallery.resize(1240, 900);
  QPalette palette = gallery.palette();
  palette.setBrush(QPalette::Window, QBrush(LoadPngResource("bg_tile")));
  gallery.setPalette(palette);
  gallery.setAutoFillBackground(true);

  Strip(&gallery, 10, 150, "CH 1", false, false);
  Strip(&gallery, 166, 150, QString::fromUtf8("通道2"), true, false);
  Strip(&gallery, 322, 182, "VOCAL", false, true);
  Strip(&gallery, 510, 182, "DANTE 1", true, true);

  // View tabs, lamps and keys.
  int x = 710;
  for (const auto& [caption, down] : {std::pair{"CHANNEL", true}, {"MATRIX", false}, {"SYSTEM", false}}) {
    Button(&gallery, caption, "tab_normal", "tab_down", QRect(x, 10, 160, 46), down);
    x += 166;
  }
  for (int i = 0; i < 2; ++i) {
    auto* lamp = new PngButton(&gallery);
    lamp->SetSizeMode(1);
    lamp->SetImages(i == 0 ? "lamp_on" : "lamp_off", "lamp_on");
    lamp->move(710 + i * 70, 70);
  }
  for (int i = 0; i < 4; ++i) {
    Button(&gallery, QString::number(i + 1), "button_normal", "button_lit", QRect(860 + i * 44, 75, 40, 32),
           i % 2 == 0);
  }
  auto* hover = Button(&gallery, "HOVER", "button_normal", "button_hover", QRect(1040, 75, 90, 32), false);
  hover->SetMode(PngButton::Push);
  test::Enter(hover);
  auto* disabled = Button(&gallery, "N/A", "button_normal", "button_lit", QRect(1136, 75, 90, 32), false);
  disabled->SetThirdImage("button_disabled");
  disabled->SetUnavailable(true);
  disabled->SetCaptionColor(SkinTheme::Current().Color("text.disabled"));

  // Meters and their scale.
  auto* meters = new CLevelGraph(&gallery);
  meters->setGeometry(710, 130, 200, 260);
  meters->SetColumnCount(5);
  meters->SetPlotMargins(10, 20);
  meters->SetStyle(0, CLevelGraph::DbScale);
  const double levels[] = {0, 12, 24, 40, 50};
  const char* captions[] = {"dB", "IN1", "IN2", "IN3", "OUT"};
  for (int i = 0; i < 5; ++i) {
    meters->SetValue(i, levels[i]);
    meters->SetCaption(i, captions[i]);
  }

  // Knobs at minimum, centre, maximum, focused; horizontal sliders.
  const int values[] = {0, 50, 100, 70};
  for (int i = 0; i < 4; ++i) {
    auto* knob = new CSkinKnob(&gallery);
    knob->setGeometry(930 + i * 70, 130, 56, 56);
    knob->SetRange(0, 100);
    knob->SetValue(values[i]);
    if (i == 3) {
      knob->SetBodyImage("knob_body");
    }
  }
  for (int i = 0; i < 2; ++i) {
    auto* slider = new CSkinSlider(&gallery);
    slider->setGeometry(930, 200 + i * 36, 270, 30);
    slider->SetRange(0, 100);
    slider->SetPos(i == 0 ? 25 : 80);
  }

  // Value labels.
  auto* title = new CValueLabel("DEVICE SETTING", &gallery);
  title->SetFontSize(14);
  title->setGeometry(930, 280, 290, 30);
  auto* readout = new CValueLabel(&gallery);
  ValueLabelFormat gain;
  gain.divisor = 10;
  gain.prefix = "G:";
  gain.suffix = "dB";
  readout->SetFormat(gain);
  readout->SetPlainText(false);
  readout->SetValue(-35);
  readout->SetOpaque(true);
  readout->SetFrame(true);
  readout->SetFontSize(11);
  readout->setGeometry(930, 320, 140, 28);
  auto* chinese = new CValueLabel(QString::fromUtf8("设备设置 输入通道"), &gallery);
  chinese->SetFontSize(11);
  chinese->setGeometry(1080, 320, 150, 28);

  // Title-bar buttons, every glyph, resting and hovered.
  const char* glyphs[] = {"exit", "max", "maxed", "min", "top", "toped", "tray", "plus", "menu", "color"};
  for (int i = 0; i < 10; ++i) {
    for (int row = 0; row < 2; ++row) {
      auto* caption = new CCaptionButton(&gallery);
      caption->SetStyle(CaptionButtonStyle::FromTheme(glyphs[i]));
      caption->setGeometry(710 + i * 34, 410 + row * 30, 30, 24);
      if (row == 1) {
        test::Enter(caption);
      }
    }
  }

  // A pop-up menu, drawn beside the rest.
  CMenuEx menu;
  using Item = CMenuEx::Item;
  menu.LoadOwnerDrawMenu({Item::Command("SAVE", 1), Item::Command("RECALL", 2, true, true), Item::Separator(),
                          Item::Command("DELETE", 3, false, true),
                          Item::Popup(QString::fromUtf8("预设"), {Item::Command("A", 4)})});
  menu.setActiveAction(menu.actions().first());
  menu.adjustSize();

  QImage image = gallery.grab().toImage();
  {
    QPainter painter(&image);
    painter.drawImage(QPoint(710, 480), menu.grab().toImage());
  }

  // Not blank: many distinct colours, and the lit strip differs from the resting one.
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); x += 3) {
      colours.insert(image.pixel(x, y));
    }
  }
  EXPECT_GT(colours.size(), 500u);
  const QImage resting = image.copy(10, 10, 150, 640);
  const QImage lit = image.copy(166, 10, 150, 640);
  EXPECT_NE(resting, lit);

  const QByteArray binDir = qgetenv("ORVX_BIN_DIR");
  const QString out = binDir.isEmpty() ? QString("skin-gallery.png") : QString(binDir) + "/../skin-gallery.png";
  EXPECT_TRUE(image.save(out)) << out.toStdString();
}

}  // namespace
}  // namespace orvx
