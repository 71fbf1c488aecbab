#pragma once
/// The part every channel strip shares: name button, fader with its level meter, MUTE.
/// Writes go through CStripController; the strip repaints only from the device state.

#include <QWidget>

#include "core/DeviceState.h"
#include "session/Navigation.h"

namespace orvx {

class CStripController;
class CSkinSlider;
class CLevelGraph;
class CValueLabel;
class PngButton;

class CChannelStrip : public QWidget {
  Q_OBJECT
public:
  /// Vertical places inside the strip (pixels from its top).
  static constexpr int kStatusTop = 235;
  static constexpr int kFaderTop = 290;
  static constexpr int kFaderHeight = 220;
  static constexpr int kMuteTop = 520;
  static constexpr int kNameTop = 580;
  static constexpr int kNameHeight = 60;

  CChannelStrip(CStripController& controller, bool output, QWidget* parent = nullptr);

  /// Shows the strip for a record and loads every widget from the state.
  void ShowForChannel(int record);
  StripSlot Slot() const { return m_slot; }
  /// Reloads name, mute, fader and meter from the state.
  virtual void Refresh();
  /// Repaints the meter (and status) when the state's value differs from the one shown.
  virtual void UpdateMeter();
  virtual void ApplyLanguage(Language language);

  CSkinSlider* Fader() const { return m_fader; }
  PngButton* MuteButton() const { return m_mute; }
  PngButton* NameButton() const { return m_name; }
  int ShownMeter() const { return m_shownMeter; }
  /// Stores a new name from the name dialog (sent while online) and shows it.
  void RenameTo(const QString& name);

signals:
  /// A control of this strip changed the value read-out's control or value.
  void ReadoutChanged();

protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  /// Keeps a widget's y and height and centres it in the strip.
  void CentreWidget(QWidget* w, int width, int top, int height);
  CStripController& Controller() const { return m_controller; }

private:
  void OnFader(int position);
  void OnMute();
  void OnNameButton();

  CStripController& m_controller;
  StripSlot m_slot;
  CSkinSlider* m_fader = nullptr;
  CLevelGraph* m_meter = nullptr;
  PngButton* m_mute = nullptr;
  PngButton* m_name = nullptr;
  CValueLabel* m_level = nullptr;
  int m_shownMeter = -1;
};

}  // namespace orvx
