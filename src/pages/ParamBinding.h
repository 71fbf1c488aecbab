#pragma once
/// One small object ties one skinned control to one value of the parameter table.
///
/// The operator's input goes to the session's change path (a drag paced, its release final, one
/// undo step per gesture). Refresh sets the control from the state silently, and leaves it alone
/// while the operator holds it, so a report never fights the hand. Usage, one line per control:
///   m_bindings.push_back(BindFader(m_fader, session, {ParamId::InLevel, record}, kFaderFromLevel));

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "session/ParamTable.h"
#include "session/ShellSession.h"

namespace orvx {

class CSkinComboBox;
class CSkinKnob;
class CSkinSlider;
class PngButton;

class CParamBinding : public QObject {
public:
  /// Told whenever the operator touches the control (the main window's value read-out).
  using Touched = std::function<void(const ParamAddr&)>;

  CParamBinding(IShellSession& session, const ParamAddr& addr, QObject* parent);

  const ParamAddr& Addr() const { return m_addr; }
  /// The same control now shows another record (a strip reused for another channel).
  void SetRecord(int record);
  /// The same control now shows another value of its record (a strip's fader moving a send).
  void SetValueOf(ParamId id, int index);
  void SetTouched(Touched touched) { m_touched = std::move(touched); }
  /// True when a change with these bits may have moved this value.
  bool Concerns(std::uint32_t bits) const { return (bits & Param(m_addr.id).changeBits) != 0; }
  /// Loads the control from the state without any notification.
  virtual void Refresh() = 0;

protected:
  std::int32_t Raw() const;
  ChangeResult Change(std::int32_t raw, ChangeOrigin origin, std::uint64_t gesture = 0);
  /// Tells the read-out the operator touched this value (a binding that changes it by a page rule).
  void Tell() {
    if (m_touched) m_touched(m_addr);
  }

  IShellSession& m_session;

private:
  ParamAddr m_addr;
  Touched m_touched;
};

/// Maps a raw value to a fader or knob position and back: the raw value itself, a level fader's
/// 70 - level, or a scale of its own (a frequency knob, an effect fader).
struct PositionMap {
  bool inverted = false;  ///< position = max - raw
  int (*toPosition)(std::int32_t raw) = nullptr;
  std::int32_t (*toRaw)(int position) = nullptr;
  std::int32_t ToPosition(const ParamDef& d, std::int32_t raw) const {
    if (toPosition) return toPosition(raw);
    return inverted ? d.rawMax - raw : raw;
  }
  std::int32_t ToRaw(const ParamDef& d, std::int32_t pos) const {
    if (toRaw) return toRaw(pos);
    return inverted ? d.rawMax - pos : pos;
  }
};
inline constexpr PositionMap kFaderFromLevel{.inverted = true};

std::unique_ptr<CParamBinding> BindFader(CSkinSlider* fader, IShellSession& session, const ParamAddr& addr,
                                         PositionMap map = {});
std::unique_ptr<CParamBinding> BindKnob(CSkinKnob* knob, IShellSession& session, const ParamAddr& addr,
                                        PositionMap map = {});
/// A two-state button: a click stores the other state.
std::unique_ptr<CParamBinding> BindToggle(PngButton* button, IShellSession& session, const ParamAddr& addr);
/// A drop-down list: row r stores the first row's raw value + r (a caption list's first, a number's minimum).
std::unique_ptr<CParamBinding> BindList(CSkinComboBox* list, IShellSession& session, const ParamAddr& addr);

/// The bindings of one page or strip, refreshed together.
class CBindingSet {
public:
  /// Told for every binding that is added without a `touched` of its own.
  void SetTouched(CParamBinding::Touched touched) { m_touched = std::move(touched); }
  void Add(std::unique_ptr<CParamBinding> binding, CParamBinding::Touched touched = {});
  void SetRecord(int record);
  /// Refreshes the bindings the bits concern (all of them for change::kAll).
  void Refresh(std::uint32_t bits);
  CParamBinding* At(std::size_t i) const { return m_bindings[i].get(); }
  std::size_t Size() const { return m_bindings.size(); }

private:
  std::vector<std::unique_ptr<CParamBinding>> m_bindings;
  CParamBinding::Touched m_touched;
};

}  // namespace orvx
