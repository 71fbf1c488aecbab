#include "pages/SystemPage.h"

#include <cstring>

#include "core/DeviceState.h"
#include "pages/CaptionText.h"
#include "pages/ShellButtons.h"
#include "pages/ShellStyle.h"
#include "session/AppOptions.h"
#include "ui/UiFont.h"
#include "ui/ValueLabel.h"

namespace orvx {

namespace {
constexpr Caption kTitle{"DEVICE SETTING", "设备设置"};
constexpr Caption kIp{"IP:", "设备IP:"};
constexpr Caption kOk{"OK", "确定"};
constexpr Caption kOfflineButton{"OFFLINE", "离线"};
constexpr Caption kVersion{"Firmware version：%1", "固件版本：%1"};
constexpr Caption kBadAddress{"Not an IPv4 address.", "不是有效的IPv4地址。"};
}  // namespace

CSystemPage::CSystemPage(const CDeviceState& state, QWidget* parent) : CTitledPage(kTitle, parent), m_state(state) {
  const int top = kTitleHeight + 24;
  m_ipCaption = new CValueLabel(this);
  m_ipCaption->setGeometry(24, top, 90, 30);
  m_address = new QLineEdit(this);
  m_address->setObjectName(QStringLiteral("DeviceAddress"));
  m_address->setGeometry(120, top, 180, 30);
  m_address->setFont(UiFont(11));
  m_address->setMaxLength(15);
  ApplyEditStyle(m_address);
  m_ok = MakeShellButton({}, ButtonLook::Key, this);
  m_ok->setGeometry(310, top, 80, 30);
  m_invalid = new CValueLabel(this);
  m_invalid->setGeometry(400, top, 260, 30);
  m_invalid->hide();

  m_connect = MakeShellButton({}, ButtonLook::Toggle, this);
  m_connect->setObjectName(QStringLiteral("ConnectButton"));
  m_connect->setGeometry(24, top + 50, 160, 44);
  m_offline = MakeShellButton({}, ButtonLook::Key, this);
  m_offline->setObjectName(QStringLiteral("OfflineButton"));
  m_offline->setGeometry(200, top + 50, 160, 44);

  m_version = new CValueLabel(this);
  m_version->setGeometry(24, top + 114, 400, 28);

  connect(m_ok, &QAbstractButton::clicked, this, &CSystemPage::ConfirmAddress);
  connect(m_address, &QLineEdit::returnPressed, this, &CSystemPage::ConfirmAddress);
  connect(m_connect, &QAbstractButton::clicked, this, &CSystemPage::ConnectClicked);
  connect(m_offline, &QAbstractButton::clicked, this, &CSystemPage::OfflineClicked);
  ApplyLanguage(Language::English);
}

void CSystemPage::ApplyLanguage(Language language) {
  CTitledPage::ApplyLanguage(language);
  m_ipCaption->SetText(CaptionText(kIp, language));
  m_ok->setText(CaptionText(kOk, language));
  m_offline->setText(CaptionText(kOfflineButton, language));
  m_invalid->SetText(CaptionText(kBadAddress, language));
  Refresh();
}

void CSystemPage::Refresh(std::uint32_t) {
  const Language language = m_state.language;
  if (!m_address->hasFocus()) m_address->setText(QString::fromStdString(m_state.link.deviceIp));
  const bool online = m_state.link.online;
  m_connect->setText(CaptionText(online ? captions::kDisconnect : captions::kConnect, language));
  m_connect->SetChecked(online);
  const auto& fw = m_state.firmwareVersion;
  const std::string version(fw.data(), strnlen(fw.data(), fw.size()));
  m_version->SetText(version.empty() ? QString()
                                     : CaptionText(kVersion, language).arg(QString::fromLatin1(version.c_str())));
}

void CSystemPage::ConfirmAddress() {
  const QString ip = m_address->text().trimmed();
  const bool valid = IsDottedQuad(ip.toStdString());
  m_invalid->setVisible(!valid);
  if (valid) emit AddressConfirmed(ip);
}

}  // namespace orvx
