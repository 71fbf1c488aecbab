#pragma once
/// The part every channel strip shares: name button, fader with its level meter, MUTE.
/// Controls are bound to their parameters: the operator's input goes through the session's change
/// path, and the strip repaints only from the device state.

#include <QWidget>

#include "core/DeviceState.h"
#include "link/ReportEffects.h"
#include "pages/ParamBinding.h"
#include "session/MainLayout.h"
#include "session/Navigation.h"
#include "session/ShellSession.h"
#include "ui/MenuEx.h"

namespace orvx {

class CSkinSlider;
class CLevelGraph;
class CValueLabel;
class PngButton;


/// What the shared part of one kind of strip carries: its parameters, its meter and its places.
struct StripKind {
  bool output;
  ParamId level;
  ParamId mute;
  ParamId name;
  std::int32_t (*meter)(const CDeviceState& s, int record);
  StripLayout layout;
};

class CChannelStrip : public QWidget {
  Q_OBJECT
public:
  /// Vertical places inside the input strip (pixels from its top).
  static constexpr int kStatusTop = 235;
  static constexpr int kFaderTop = 290;
  static constexpr int kFaderHeight = 220;
  static constexpr int kMuteTop = 520;
  static constexpr int kNameTop = 580;
  static constexpr int kNameHeight = 60;

  CChannelStrip(IShellSession& session, const StripKind& kind, QWidget* parent = nullptr);

  /// Shows the strip for a record and loads every widget from the state.
  void ShowForChannel(int record);
  StripSlot Slot() const { return m_slot; }
  /// Reloads what the change bits name from the state (everything for change::kAll).
  virtual void Refresh(std::uint32_t bits = change::kAll);
  /// Repaints the meter (and status) when the state's value differs from the one shown.
  virtual void UpdateMeter();
  virtual void ApplyLanguage(Language language);

  CSkinSlider* Fader() const { return m_fader; }
  /// The places of the shared widgets at the strip's present height.
  const StripLayout& FittedLayout() const { return m_fit; }
  /// What the fader moves: the level (-1) or an input's send 1..6 (an AUX view of the side panel).
  void ShowSend(int sendIndex);
  int ShownSend() const { return m_send; }
  PngButton* MuteButton() const { return m_mute; }
  PngButton* NameButton() const { return m_name; }
  CLevelGraph* Meter() const { return m_meter; }
  int ShownMeter() const { return m_shownMeter; }
  /// Stores a new name from the name dialog through the change path (sent while online).
  void RenameTo(const QString& name);
  /// The strip's name (UTF-8 from the state's GBK bytes).
  QString NameText() const;

signals:
  /// The operator touched a value of this strip: the main window's read-out follows it.
  void Touched(orvx::ParamAddr addr);

protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  /// Keeps a widget's y and height and centres it in the strip.
  void CentreWidget(QWidget* w, int width, int top, int height);
  IShellSession& Session() const { return m_session; }
  const CDeviceState& State() const { return m_session.State(); }
  /// Binds one more control (it follows ShowForChannel and Refresh like the shared ones).
  void AddBinding(std::unique_ptr<CParamBinding> binding);
  /// Items a strip adds to its name menu after "NAME", and what it does when one is chosen.
  virtual QList<CMenuEx::Item> MoreMenuItems() const { return {}; }
  virtual void OnMenuCommand(int /*command*/) {}

private:
  void OnNameButton();
  void ShowLevel();
  ParamAddr Addr(ParamId id) const { return {id, m_slot.record, 0}; }

  IShellSession& m_session;
  StripKind m_kind;
  StripSlot m_slot;
  CBindingSet m_bindings;
  CSkinSlider* m_fader = nullptr;
  CLevelGraph* m_meter = nullptr;
  PngButton* m_mute = nullptr;
  PngButton* m_name = nullptr;
  CValueLabel* m_level = nullptr;
  CParamBinding* m_faderBinding = nullptr;
  int m_send = -1;
  StripLayout m_fit{};  ///< the kind's places fitted to the strip's height
  int m_shownMeter = -1;
};

/// The input strip's kind: its fader sits below the source, preamp and switch rows.
inline constexpr StripKind kInputStripKind{
    false,
    ParamId::InLevel,
    ParamId::InMute,
    ParamId::InName,
    [](const CDeviceState& s, int record) { return s.in[record].meter; },
    {CChannelStrip::kFaderTop - 22, CChannelStrip::kFaderTop, CChannelStrip::kFaderHeight, CChannelStrip::kMuteTop, 40,
     CChannelStrip::kNameTop}};

}  // namespace orvx
