#include "session/ValueReadout.h"

namespace orvx {

void CValueReadout::Touch(const ParamAddr& addr) {
  if (IsValidAddr(addr)) m_addr = addr;
}

ReadoutTexts CValueReadout::Texts(const CDeviceState& state) const {
  if (!m_addr) return {};
  const ParamAddr& a = *m_addr;
  ReadoutTexts t;
  const ParamScope scope = Param(a.id).scope;
  if (scope == ParamScope::Input || scope == ParamScope::Output) {
    const ParamAddr name{scope == ParamScope::Input ? ParamId::InName : ParamId::OutName, a.record, 0};
    t.name = FormatParam(name, ReadParam(state, name), state.language);
  }
  t.caption = ParamCaption(a, state.language);
  // One name per channel: an index that counts outputs (a crosspoint, a group member) or inputs
  // reads as that channel's name, as its row shows it.
  if (const auto channel = ChannelOfIndex(a)) t.caption = FormatParam(*channel, ReadParam(state, *channel), state.language);
  t.value = FormatParam(a, ReadParam(state, a), state.language);
  return t;
}

ChangeResult CValueReadout::Commit(CChangePath& changes, std::string_view typed) {
  m_why = {};
  if (!m_addr) return ChangeResult::Refused;
  const TypedResult parsed = ParseTypedValue(*m_addr, typed);
  if (const auto* refusal = std::get_if<TypedRefusal>(&parsed)) {
    m_why = *refusal;
    return ChangeResult::Refused;
  }
  const ChangeResult result = changes.Set(*m_addr, std::get<ParamValue>(parsed), ChangeOrigin::Typed);
  if (const Caption* why = changes.LastRefusal(); why && result != ChangeResult::Applied)
    m_why = {why->en, why->zh};
  return result;
}

}  // namespace orvx
