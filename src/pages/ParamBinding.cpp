#include "pages/ParamBinding.h"

#include "ui/PngButton.h"
#include "ui/SkinComboBox.h"
#include "ui/SkinKnob.h"
#include "ui/SkinSlider.h"

namespace orvx {

CParamBinding::CParamBinding(IShellSession& session, const ParamAddr& addr, QObject* parent)
    : QObject(parent), m_session(session), m_addr(addr) {}

void CParamBinding::SetRecord(int record) {
  m_addr.record = record;
  Refresh();
}

void CParamBinding::SetValueOf(ParamId id, int index) {
  if (m_addr.id == id && m_addr.index == index) return;
  m_addr.id = id;
  m_addr.index = index;
  Refresh();
}

std::int32_t CParamBinding::Raw() const { return ReadParam(m_session.State(), m_addr).raw; }

ChangeResult CParamBinding::Change(std::int32_t raw, ChangeOrigin origin, std::uint64_t gesture) {
  const ChangeResult r = m_session.Changes().Set(m_addr, {raw, {}}, origin, gesture);
  Tell();
  // Refused or busy: the control shows the stored value again.
  if (r == ChangeResult::Refused || r == ChangeResult::Busy) Refresh();
  return r;
}

namespace {

/// Fader and knob share the drag: moves paced under one gesture, the release final.
template <class Control>
class CDragBinding final : public CParamBinding {
public:
  CDragBinding(Control* control, IShellSession& session, const ParamAddr& addr, PositionMap map)
      : CParamBinding(session, addr, control), m_control(control), m_map(map) {
    QObject::connect(control, &Control::SliderMoving, this, [this](int, int pos) {
      if (m_gesture == 0) m_gesture = m_session.Changes().NewGesture();
      Change(m_map.ToRaw(Param(Addr().id), pos), ChangeOrigin::Drag, m_gesture);
    });
    QObject::connect(control, &Control::SliderReleased, this, [this](int, int pos) {
      const std::uint64_t gesture = m_gesture;
      m_gesture = 0;
      // A click that did not move the control leaves the value as it is (a scale coarser than the
      // value, a frequency knob, would otherwise round it).
      if (gesture == 0 && pos == m_map.ToPosition(Param(Addr().id), Raw())) return;
      Change(m_map.ToRaw(Param(Addr().id), pos), ChangeOrigin::Control, gesture);
    });
  }
  void Refresh() override {
    if (m_control->IsHeld()) return;
    const int pos = m_map.ToPosition(Param(Addr().id), Raw());
    if constexpr (std::is_same_v<Control, CSkinSlider>)
      m_control->SetPos(pos);
    else
      m_control->SetValue(pos);
  }

private:
  Control* m_control;
  PositionMap m_map;
  std::uint64_t m_gesture = 0;
};

class CToggleBinding final : public CParamBinding {
public:
  CToggleBinding(PngButton* button, IShellSession& session, const ParamAddr& addr)
      : CParamBinding(session, addr, button), m_button(button) {
    QObject::connect(button, &QAbstractButton::clicked, this, [this] {
      Change(Raw() != 0 ? 0 : 1, ChangeOrigin::Control);
      Refresh();
    });
  }
  void Refresh() override { m_button->SetChecked(Raw() != 0); }

private:
  PngButton* m_button;
};

/// Raw value of a list's first row: a caption list names it, a list of numbers starts at the minimum.
std::int32_t FirstRowRaw(const ParamDef& d) {
  return d.display.kind == DisplayKind::Number ? d.rawMin : d.display.rawOfFirst;
}

class CListBinding final : public CParamBinding {
public:
  CListBinding(CSkinComboBox* list, IShellSession& session, const ParamAddr& addr)
      : CParamBinding(session, addr, list), m_list(list) {
    QObject::connect(list, &CSkinComboBox::DropdownSelected, this, [this](int, int row) {
      Change(FirstRowRaw(Param(Addr().id)) + row, ChangeOrigin::Control);
    });
  }
  void Refresh() override {
    if (m_list->IsDropListShown()) return;
    m_list->SetCurSel(Raw() - FirstRowRaw(Param(Addr().id)));
  }

private:
  CSkinComboBox* m_list;
};

}  // namespace

std::unique_ptr<CParamBinding> BindFader(CSkinSlider* fader, IShellSession& session, const ParamAddr& addr,
                                         PositionMap map) {
  return std::make_unique<CDragBinding<CSkinSlider>>(fader, session, addr, map);
}

std::unique_ptr<CParamBinding> BindKnob(CSkinKnob* knob, IShellSession& session, const ParamAddr& addr,
                                        PositionMap map) {
  return std::make_unique<CDragBinding<CSkinKnob>>(knob, session, addr, map);
}

std::unique_ptr<CParamBinding> BindToggle(PngButton* button, IShellSession& session, const ParamAddr& addr) {
  return std::make_unique<CToggleBinding>(button, session, addr);
}

std::unique_ptr<CParamBinding> BindList(CSkinComboBox* list, IShellSession& session, const ParamAddr& addr) {
  return std::make_unique<CListBinding>(list, session, addr);
}

void CBindingSet::Add(std::unique_ptr<CParamBinding> binding, CParamBinding::Touched touched) {
  if (touched)
    binding->SetTouched(std::move(touched));
  else if (m_touched)
    binding->SetTouched(m_touched);
  binding->Refresh();
  m_bindings.push_back(std::move(binding));
}

void CBindingSet::SetRecord(int record) {
  for (auto& b : m_bindings) b->SetRecord(record);
}

void CBindingSet::Refresh(std::uint32_t bits) {
  for (auto& b : m_bindings) {
    if (bits == change::kAll || b->Concerns(bits)) b->Refresh();
  }
}

}  // namespace orvx
