#pragma once
/// The SYSTEM page, tab CONNECT: device address with OK, CONNECT/DISCONNECT, OFFLINE and the
/// processor's firmware version. Search, scenes, update and units come with their own work.

#include <QLineEdit>

#include "pages/TitledPage.h"

namespace orvx {

class CDeviceState;
class CValueLabel;
class PngButton;

class CSystemPage : public CTitledPage {
  Q_OBJECT
public:
  CSystemPage(const CDeviceState& state, QWidget* parent = nullptr);

  void ApplyLanguage(Language language) override;
  void Refresh(std::uint32_t bits = change::kAll) override;

  QLineEdit* AddressEdit() const { return m_address; }
  PngButton* ConnectButton() const { return m_connect; }
  PngButton* OfflineButton() const { return m_offline; }

signals:
  /// The operator confirmed a typed address (OK or Enter); only dotted quads are reported.
  void AddressConfirmed(const QString& ip);
  void ConnectClicked();
  void OfflineClicked();

private:
  void ConfirmAddress();

  const CDeviceState& m_state;
  CValueLabel* m_ipCaption = nullptr;
  QLineEdit* m_address = nullptr;
  PngButton* m_ok = nullptr;
  PngButton* m_connect = nullptr;
  PngButton* m_offline = nullptr;
  CValueLabel* m_version = nullptr;
  CValueLabel* m_invalid = nullptr;
};

}  // namespace orvx
