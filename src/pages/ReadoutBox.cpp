#include "pages/ReadoutBox.h"

#include <QEvent>
#include <QLineEdit>
#include <QToolTip>

#include "pages/CaptionText.h"
#include "pages/HeaderControls.h"
#include "pages/ShellStyle.h"
#include "session/ShellSession.h"
#include "ui/UiFont.h"
#include "ui/ValueLabel.h"

namespace orvx {
namespace {

constexpr Caption kChannelOne{"CH1", "通道1"};
constexpr Caption kMuteCaption{"MUTE", "静音"};

QLineEdit* MakeValueBox(QWidget* parent) {
  auto* e = new QLineEdit(parent);
  e->setAlignment(Qt::AlignCenter);
  e->setFont(UiFont(11, true));
  ApplyEditStyle(e);
  return e;
}

}  // namespace

CReadoutBox::CReadoutBox(IShellSession& session, QWidget* header) : QObject(header), m_session(session) {
  m_nameLabel = MakeHeaderLabel(header, 11, true);
  m_nameLabel->setObjectName(QStringLiteral("ChannelName"));
  m_kindLabel = MakeHeaderLabel(header, 10);
  m_kindLabel->setObjectName(QStringLiteral("KindName"));
  m_valueBox = MakeValueBox(header);
  m_valueBox->setObjectName(QStringLiteral("ValueBox"));
  connect(m_valueBox, &QLineEdit::returnPressed, this, [this] { Commit(m_valueBox->text()); });
  connect(m_valueBox, &QLineEdit::textEdited, this, [this] { ApplyEditStyle(m_valueBox); });
  m_valueBox->installEventFilter(this);
}

void CReadoutBox::Place(int unit) {
  PlaceAt(m_nameLabel, CMainLayout::ControlRect(MainControl::ChannelName, unit));
  PlaceAt(m_valueBox, CMainLayout::ControlRect(MainControl::ValueBox, unit));
  PlaceAt(m_kindLabel, CMainLayout::ControlRect(MainControl::KindName, unit));
}

void CReadoutBox::Touch(const ParamAddr& addr) {
  m_readout.Touch(addr);
  Update();
}

void CReadoutBox::Update() {
  const CDeviceState& state = m_session.State();
  if (!m_readout.Touched()) {
    // Nothing touched yet: the labels keep their start captions.
    m_nameLabel->SetText(CaptionText(kChannelOne, state.language));
    m_kindLabel->SetText(CaptionText(kMuteCaption, state.language));
    if (!m_valueBox->hasFocus()) m_valueBox->clear();
    return;
  }
  const ReadoutTexts t = m_readout.Texts(state);
  m_nameLabel->SetText(QString::fromStdString(t.name));
  m_kindLabel->SetText(QString::fromStdString(t.caption));
  // A report must not overwrite what the operator is typing.
  if (m_valueBox->hasFocus() && m_valueBox->isModified()) return;
  m_valueBox->setText(QString::fromStdString(t.value));
}

void CReadoutBox::Commit(const QString& text) {
  const ChangeResult result = m_readout.Commit(m_session.Changes(), text.toStdString());
  const bool refused = result == ChangeResult::Refused || result == ChangeResult::Busy;
  ApplyEditStyle(m_valueBox, refused);
  const QString why = QString::fromStdString(m_readout.Why(m_session.State().language));
  m_valueBox->setToolTip(why);
  if (refused) {
    // The cue: a red frame, the reason (with the range) under the box, never over it, and the text
    // ready to be typed over.
    QToolTip::showText(m_valueBox->mapToGlobal(QPoint(0, m_valueBox->height())), why, m_valueBox);
    m_valueBox->selectAll();
    return;
  }
  QToolTip::hideText();
  m_valueBox->setModified(false);
  Update();  // the stored (converted, clamped) value
}

bool CReadoutBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_valueBox && event->type() == QEvent::FocusOut) {
    // Typed text that was not committed goes back to the stored value.
    m_valueBox->setModified(false);
    ApplyEditStyle(m_valueBox);
    Update();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace orvx
