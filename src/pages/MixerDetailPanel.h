#pragma once
/// The channel-detail panel at the right of the mixer overview: what the overview shows (mode,
/// bus and its output) and every member by name, also those the eight strip places cannot hold.

#include <QWidget>

#include "core/DeviceState.h"
#include "session/MixerOverview.h"

namespace orvx {

class CMixerDetailPanel : public QWidget {
  Q_OBJECT
public:
  explicit CMixerDetailPanel(const CDeviceState& state, QWidget* parent = nullptr);

  void ShowChoice(const OverviewChoice& choice, const OverviewStrips& strips);
  /// The lines the panel draws, top to bottom (title first).
  const QStringList& Lines() const { return m_lines; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  const CDeviceState& m_state;
  QStringList m_lines;
  int m_hidden = 0;  ///< members listed but without a strip
};

}  // namespace orvx
