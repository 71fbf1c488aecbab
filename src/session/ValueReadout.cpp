#include "session/ValueReadout.h"

#include "core/TextCodec.h"

namespace orvx {

void CValueReadout::Touch(const ParamAddr& addr) {
  if (IsValidAddr(addr)) m_addr = addr;
}

ReadoutTexts CValueReadout::Texts(const CDeviceState& state) const {
  if (!m_addr) return {};
  const ParamAddr& a = *m_addr;
  ReadoutTexts t;
  switch (Param(a.id).scope) {
    case ParamScope::Input: t.name = GbkToUtf8(NameBytes(state.in[a.record].shortName)); break;
    case ParamScope::Output: t.name = GbkToUtf8(NameBytes(state.out[a.record].shortName)); break;
    default: break;
  }
  t.caption = ParamCaption(a, state.language);
  t.value = FormatParam(a, ReadParam(state, a), state.language);
  return t;
}

ChangeResult CValueReadout::Commit(CChangePath& changes, std::string_view typed) const {
  if (!m_addr) return ChangeResult::Refused;
  const auto value = ParseParam(*m_addr, typed);
  if (!value) return ChangeResult::Refused;
  return changes.Set(*m_addr, *value, ChangeOrigin::Typed);
}

}  // namespace orvx
