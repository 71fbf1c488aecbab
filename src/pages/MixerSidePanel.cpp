#include "pages/MixerSidePanel.h"

#include <QLabel>
#include <QPainter>

#include "pages/CaptionText.h"
#include "pages/ShellButtons.h"
#include "pages/ShellStyle.h"
#include "session/ChannelSends.h"
#include "session/ClearActions.h"
#include "ui/SkinTheme.h"
#include "ui/UiFont.h"
#include "ui/ValueLabel.h"

namespace orvx {

namespace {
constexpr Caption kKeyCaptions[] = {
    {"SYSTEM", "系统"},         {"PHANTOM", "幻象电源"},    {"GROUP", "分组"},    {"AUX", "AUX"},
    {"CLEAR MUTE", "清除静音"}, {"CLEAR SOLO", "清除监听"}, {"MUTE", "静音分组"}, {"VIEW", "VIEW"},
    {"CONTROL", "控制分组"},    {"RETURN", "返回"},         {"RETURN", "返回"},
};
static_assert(std::size(kKeyCaptions) == static_cast<std::size_t>(CMixerSidePanel::Key::Count));
// The block captions read the same in both languages.
constexpr const char* kBlockCaptions[3] = {"静音分组", "查看分组", "控制分组"};

constexpr int kMargin = 4;
constexpr int kKeyHeight = 34;
constexpr int kPitch = 40;
constexpr int kClearTop = 200;  ///< the clears sit apart from the mode keys
constexpr int kBlockTop = 100;
constexpr int kBlockPitch = 82;
constexpr int kSmallKey = 20;
constexpr int kSmallKeyColumns[2] = {20, 50};
constexpr int kBusPitch = 36;
}  // namespace

CMixerSidePanel::CMixerSidePanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("MixerSidePanel"));
  AddKey(Key::System, true);
  AddKey(Key::Phantom, true);
  AddKey(Key::Group, false);
  AddKey(Key::Aux, false);
  AddKey(Key::ClearMute, false);
  AddKey(Key::ClearSolo, false);
  AddKey(Key::MuteGroups, true);
  AddKey(Key::GroupView, true);
  AddKey(Key::ControlGroups, true);
  AddKey(Key::GroupReturn, false);
  AddKey(Key::AuxReturn, false);
  for (int b = 0; b < 3; ++b) {
    m_blockCaptions[b] = new CValueLabel(QString::fromUtf8(kBlockCaptions[b]), this);
    m_blockCaptions[b]->SetFontSize(8);
    m_blockCaptions[b]->SetAlignment(0);
    for (int n = 1; n <= 4; ++n) {
      PngButton* key = MakeShellButton(QString::number(n), ButtonLook::Toggle, this);
      key->SetCaptionSize(7);
      key->setObjectName(QStringLiteral("Block%1Key%2").arg(b).arg(n));
      // Only the view-group block picks something; the other two are there to be seen.
      if (b == 1)
        connect(key, &QAbstractButton::clicked, this, [this, n] { Press([n](auto& m) { m.PressViewGroup(n); }); });
      m_blockKeys[b][n - 1] = key;
    }
  }
  for (int k = 0; k < 7; ++k) {
    PngButton* key =
        MakeShellButton(k == 0 ? QStringLiteral("LR") : QStringLiteral("AUX%1").arg(k), ButtonLook::Toggle, this);
    key->setObjectName(QStringLiteral("BusKey%1").arg(k));
    connect(key, &QAbstractButton::clicked, this, [this, k] { Press([k](auto& m) { m.PressBusKey(k); }); });
    m_busKeys[k] = key;
  }
  connect(KeyButton(Key::System), &QAbstractButton::clicked, this, [this] { Press([](auto& m) { m.PressSystem(); }); });
  connect(KeyButton(Key::Phantom), &QAbstractButton::clicked, this,
          [this] { Press([](auto& m) { m.PressPhantom(); }); });
  connect(KeyButton(Key::Group), &QAbstractButton::clicked, this, [this] { Press([](auto& m) { m.PressGroup(); }); });
  connect(KeyButton(Key::Aux), &QAbstractButton::clicked, this, [this] { Press([](auto& m) { m.PressAux(); }); });
  connect(KeyButton(Key::MuteGroups), &QAbstractButton::clicked, this,
          [this] { Press([](auto& m) { m.PressMuteGroups(); }); });
  connect(KeyButton(Key::GroupView), &QAbstractButton::clicked, this,
          [this] { Press([](auto& m) { m.PressGroupView(); }); });
  connect(KeyButton(Key::ControlGroups), &QAbstractButton::clicked, this,
          [this] { Press([](auto& m) { m.PressControlGroups(); }); });
  for (Key back : {Key::GroupReturn, Key::AuxReturn})
    connect(KeyButton(back), &QAbstractButton::clicked, this, [this] { Press([](auto& m) { m.PressReturn(); }); });
  connect(KeyButton(Key::ClearMute), &QAbstractButton::clicked, this, &CMixerSidePanel::ClearMuteClicked);
  connect(KeyButton(Key::ClearSolo), &QAbstractButton::clicked, this, &CMixerSidePanel::ClearSoloClicked);
  // The longest captions get a smaller face so they fit the narrow keys.
  for (Key k : {Key::ClearMute, Key::ClearSolo}) KeyButton(k)->SetCaptionSize(7);
  m_sendsKept = new QLabel(this);
  m_sendsKept->setObjectName(QStringLiteral("SendsKept"));
  m_sendsKept->setWordWrap(true);
  m_sendsKept->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
  m_sendsKept->setFont(UiFont(7));
  m_sendsKept->setStyleSheet(QStringLiteral("color: %1;").arg(SkinTheme::Current().Color("text.dim").name()));
  ApplyLanguage(Language::English);
  ShowKeys();
}

PngButton* CMixerSidePanel::AddKey(Key key, bool toggle) {
  PngButton* b = MakeShellButton({}, toggle ? ButtonLook::Toggle : ButtonLook::Key, this);
  b->SetCaptionSize(8);
  b->setObjectName(QStringLiteral("SideKey%1").arg(static_cast<int>(key)));
  m_keys[static_cast<int>(key)] = b;
  return b;
}

template <class Rule>
void CMixerSidePanel::Press(Rule rule) {
  rule(m_model);
  ShowKeys();
  emit ChoiceChanged(m_model.Choice());
}

void CMixerSidePanel::Reset() {
  m_model.Reset();
  ShowKeys();
}

void CMixerSidePanel::ShowKeys() {
  const PanelSection section = m_model.Section();
  const OverviewChoice& choice = m_model.Choice();
  const bool main = section == PanelSection::Main;
  const bool group = section == PanelSection::Group;
  const bool aux = section == PanelSection::Aux;
  for (Key k : {Key::System, Key::Phantom, Key::Group, Key::Aux, Key::ClearMute, Key::ClearSolo})
    KeyButton(k)->setVisible(main);
  for (Key k : {Key::MuteGroups, Key::ControlGroups, Key::GroupReturn}) KeyButton(k)->setVisible(group);
  KeyButton(Key::GroupView)->setVisible(false);  // the view-group keys take its place
  KeyButton(Key::AuxReturn)->setVisible(aux);
  m_sendsKept->setVisible(aux);
  for (int b = 0; b < 3; ++b) {
    m_blockCaptions[b]->setVisible(group);
    for (int n = 1; n <= 4; ++n) {
      m_blockKeys[b][n - 1]->setVisible(group);
      m_blockKeys[b][n - 1]->SetChecked(b == 1 && choice.mode == OverviewMode::GroupView && choice.group == n);
    }
  }
  for (int k = 0; k < 7; ++k) {
    m_busKeys[k]->setVisible(aux);
    const int bus = k == 0 ? CSidePanelModel::kLrBus : CSidePanelModel::kFirstAuxBus + k - 1;
    m_busKeys[k]->SetChecked(choice.bus == bus);
  }
  KeyButton(Key::System)->SetChecked(choice.mode == OverviewMode::System);
  KeyButton(Key::Phantom)->SetChecked(choice.mode == OverviewMode::Phantom);
  KeyButton(Key::MuteGroups)->SetChecked(choice.mode == OverviewMode::MuteGroups);
  KeyButton(Key::GroupView)->SetChecked(choice.mode == OverviewMode::GroupView);
  KeyButton(Key::ControlGroups)->SetChecked(choice.mode == OverviewMode::ControlGroups);
}

void CMixerSidePanel::ShowSoloClearable(bool clearable, Language language) {
  PngButton* key = KeyButton(Key::ClearSolo);
  key->setEnabled(clearable);
  key->SetUnavailable(!clearable);
  key->setToolTip(clearable ? QString() : CaptionText(captions::kNoSolo, language));
}

void CMixerSidePanel::ApplyLanguage(Language language) {
  for (int k = 0; k < static_cast<int>(Key::Count); ++k) m_keys[k]->setText(CaptionText(kKeyCaptions[k], language));
  m_sendsKept->setText(CaptionText(captions::kSendsKept, language));
}

void CMixerSidePanel::resizeEvent(QResizeEvent*) {
  const int keyWidth = width() - 2 * kMargin;
  auto place = [&](QWidget* w, int top) { w->setGeometry(kMargin, top, keyWidth, kKeyHeight); };
  place(KeyButton(Key::System), kMargin);
  place(KeyButton(Key::Phantom), kMargin + kPitch);
  place(KeyButton(Key::Group), kMargin + 2 * kPitch);
  place(KeyButton(Key::Aux), kMargin + 3 * kPitch);
  place(KeyButton(Key::ClearMute), kClearTop);
  place(KeyButton(Key::ClearSolo), kClearTop + kPitch);

  place(KeyButton(Key::MuteGroups), kMargin);
  place(KeyButton(Key::ControlGroups), kMargin + kPitch);
  place(KeyButton(Key::GroupView), kMargin + kPitch);
  for (int b = 0; b < 3; ++b) {
    const int top = kBlockTop + kBlockPitch * b;
    m_blockCaptions[b]->setGeometry(kMargin + 4, top, keyWidth, 18);
    for (int n = 1; n <= 4; ++n) {
      const int row = (n - 1) / 2;
      const int column = (n - 1) % 2;
      m_blockKeys[b][n - 1]->setGeometry(kSmallKeyColumns[column], top + 22 + 28 * row, kSmallKey + 4, kSmallKey + 2);
    }
  }
  place(KeyButton(Key::GroupReturn), kBlockTop + 3 * kBlockPitch + 4);

  for (int k = 0; k < 7; ++k) m_busKeys[k]->setGeometry(kMargin, kMargin + kBusPitch * k, keyWidth, kBusPitch - 6);
  place(KeyButton(Key::AuxReturn), kMargin + kBusPitch * 7 + 4);
  const int noteTop = kMargin + kBusPitch * 7 + 4 + kKeyHeight + 6;
  m_sendsKept->setGeometry(kMargin, noteTop, keyWidth, std::max(0, height() - noteTop - kMargin));
}

void CMixerSidePanel::paintEvent(QPaintEvent*) {
  const SkinTheme& theme = SkinTheme::Current();
  QPainter p(this);
  PaintPanel(p, rect());
  // A thin line keeps the clears apart from the keys that choose a view.
  if (m_model.Section() == PanelSection::Main) {
    p.setPen(QPen(theme.Color("panel.edge"), 1));
    p.drawLine(QPointF(kMargin, kClearTop - 16), QPointF(width() - kMargin, kClearTop - 16));
  }
}

}  // namespace orvx
