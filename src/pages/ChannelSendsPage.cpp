#include "pages/ChannelSendsPage.h"

#include "pages/CaptionText.h"
#include "pages/ShellButtons.h"
#include "session/ShellSession.h"
#include "ui/SkinSlider.h"
#include "ui/ValueLabel.h"

namespace orvx {

namespace {
constexpr Caption kTitle{"CHANNEL SENDS", "通道发送"};
constexpr Caption kMute{"MUTE", "静音"};
/// Wide enough for one pixel per step of 0..70 beside the thumb.
constexpr int kFaderWidth = 260;
constexpr Caption kRowCaptions[CChannelSends::kRows] = {
    {"MAIN", "主音量"}, {"AUX 1", "辅助 1"}, {"AUX 2", "辅助 2"}, {"AUX 3", "辅助 3"},       {"AUX 4", "辅助 4"},
    {"AUX 5", "辅助 5"},  {"AUX 6", "辅助 6"}, {"DELAY", "延时"},   {"Reverberation", "混响"},
};
}  // namespace

CChannelSendsPage::CChannelSendsPage(IShellSession& session, QWidget* parent)
    : CTitledPage(kTitle, parent), m_session(session) {
  for (int i = 0; i < kRows; ++i) {
    RowWidgets& row = m_rows[static_cast<std::size_t>(i)];
    const int y = RowTop(i);
    row.caption = new CValueLabel(this);
    row.caption->SetAlignment(0);
    row.caption->SetFontSize(10);
    row.caption->setGeometry(50, y + 6, 120, 20);  // near-aligned: centred on the row by its place
    row.fader = new CSkinSlider(this, i);
    row.fader->setObjectName(QStringLiteral("SendFader%1").arg(i));
    row.fader->SetVertical(false);
    row.fader->SetRange(0, kLevelMax);
    row.fader->setGeometry(200, y + 3, kFaderWidth, 24);
    row.value = new CValueLabel(this);
    row.value->SetAlignment(1);
    row.value->SetFontSize(9);
    row.value->setGeometry(200 + kFaderWidth + 10, y, 80, 30);
    row.mute = MakeShellButton({}, ButtonLook::Mute, this);
    row.mute->setObjectName(QStringLiteral("SendMute%1").arg(i));
    row.mute->setGeometry(200 + kFaderWidth + 100, y, 60, 30);
    row.mute->SetCheckedCaptionColor(Qt::white);

    connect(row.fader, &CSkinSlider::SliderMoving, this, [this, i](int, int pos) {
      if (m_gesture == 0) m_gesture = m_session.Changes().NewGesture();
      Store(m_sends.Move(i, pos), ChangeOrigin::Drag, m_gesture);
    });
    connect(row.fader, &CSkinSlider::SliderReleased, this, [this, i](int, int pos) {
      const std::uint64_t gesture = m_gesture;
      m_gesture = 0;
      Store(m_sends.Move(i, pos), ChangeOrigin::Control, gesture);
    });
    connect(row.mute, &QAbstractButton::clicked, this,
            [this, i] { Store(m_sends.ToggleMute(m_session.State(), i), ChangeOrigin::Control); });
  }
  m_note = new CValueLabel(this);
  m_note->setObjectName(QStringLiteral("SendsKept"));
  m_note->SetAlignment(0);
  m_note->SetFontSize(9);
  m_note->setGeometry(50, RowTop(kRows) + 10, 600, 24);
  ApplyLanguage(Language::English);
}

void CChannelSendsPage::Store(const ParamWrite& write, ChangeOrigin origin, std::uint64_t gesture) {
  const ChangeResult r = m_session.Changes().Set(write.addr, write.value, origin, gesture);
  // A refused or gated change leaves the stored value: the row follows the state again.
  if (r == ChangeResult::Refused || r == ChangeResult::Busy) m_sends.Open(m_session.State(), Record());
  ShowRows();
  emit Touched(write.addr);
}

void CChannelSendsPage::ApplyLanguage(Language language) {
  m_language = language;
  CTitledPage::ApplyLanguage(language);
  for (int i = 0; i < kRows; ++i) {
    RowWidgets& row = m_rows[static_cast<std::size_t>(i)];
    row.caption->SetText(CaptionText(kRowCaptions[i], language));
    row.mute->setText(CaptionText(kMute, language));
  }
  m_note->SetText(CaptionText(captions::kSendsKept, language));
}

void CChannelSendsPage::OpenFor(int record) {
  CTitledPage::OpenFor(record);
  m_sends.Open(m_session.State(), record);
  for (int i = 0; i < kRows; ++i) {
    const bool shown = CChannelSends::RowShown(record, i);
    const RowWidgets& row = m_rows[static_cast<std::size_t>(i)];
    for (QWidget* w : {static_cast<QWidget*>(row.caption), static_cast<QWidget*>(row.fader),
                       static_cast<QWidget*>(row.value), static_cast<QWidget*>(row.mute)})
      w->setVisible(shown);
  }
  ShowRows();
}

void CChannelSendsPage::Refresh(std::uint32_t bits) {
  CTitledPage::Refresh(bits);
  const std::uint32_t shown = change::kSends | change::kLevels | change::kMutes | change::kFullState;
  if (bits != change::kAll && !(bits & shown)) return;
  m_sends.Sync(m_session.State());
  ShowRows();
}

void CChannelSendsPage::ShowRows() {
  const CDeviceState& s = m_session.State();
  for (int i = 0; i < kRows; ++i) {
    RowWidgets& row = m_rows[static_cast<std::size_t>(i)];
    // What is stored, nothing else: a muted send stands at the bottom.
    if (!row.fader->IsHeld()) row.fader->SetPos(CChannelSends::Level(s, Record(), i));
    row.mute->SetChecked(CChannelSends::Muted(s, Record(), i));
    const ParamAddr addr = CChannelSends::LevelOf(Record(), i);
    row.value->SetText(QString::fromStdString(FormatParam(addr, ReadParam(s, addr), m_language)));
  }
}

}  // namespace orvx
