#include "session/ParamReport.h"

namespace orvx {

ReportedBy ReportOf(const ParamAddr& a) {
  if (!IsValidAddr(a)) return ReportedBy::None;
  const ReportColumn& c = Param(a.id).report;
  if (c.records != 0 && a.record >= c.records) return ReportedBy::None;
  if (c.indices != 0 && a.index >= c.indices) return ReportedBy::None;
  return c.by;
}

ParamValue AfterWire(const ParamAddr& a, ParamValue v) {
  if (a.id == ParamId::InPeqGain || a.id == ParamId::OutGeqGain) v.raw = v.raw / 2 * 2;
  return v;
}

}  // namespace orvx
