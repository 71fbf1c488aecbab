#include "session/ParamReport.h"

namespace orvx {
namespace {

/// Bands 1..4 of the parametric EQ travel in the full state; band 5 does not.
constexpr int kPeqBandsReported = 4;

ReportedBy ZUpTo(int record, int records) { return record < records ? ReportedBy::Z : ReportedBy::None; }

}  // namespace

ReportedBy ReportOf(const ParamAddr& a) {
  if (!IsValidAddr(a)) return ReportedBy::None;
  const int r = a.record;
  switch (a.id) {
    case ParamId::InLevel:
    case ParamId::InMute:
    case ParamId::InRoute: return ZUpTo(r, kWireInputs);
    case ParamId::InSource:
    case ParamId::InPreamp: return ZUpTo(r, kFilterInputs);
    case ParamId::InPeqFreq:
    case ParamId::InPeqGain:
    case ParamId::InPeqQ:
    case ParamId::InPeqType: return a.index < kPeqBandsReported ? ZUpTo(r, kWireInputs) : ReportedBy::None;
    case ParamId::InPhantom:
    case ParamId::InPriority:
    case ParamId::InThreshold: return ZUpTo(r, kAutomixInputs);
    case ParamId::InHpfOn:
    case ParamId::InHpfFreq:
    case ParamId::InHpfSlope:
    case ParamId::InLpfOn:
    case ParamId::InLpfFreq:
    case ParamId::InLpfSlope:
    case ParamId::InCompOn:
    case ParamId::InCompThreshold:
    case ParamId::InCompAttack:
    case ParamId::InCompRelease:
    case ParamId::InCompGain:
    case ParamId::InCompRatio: return ZUpTo(r, kFilterInputs);
    case ParamId::OutLevel:
    case ParamId::OutMute:
    case ParamId::OutGeqOn:
    case ParamId::OutGeqGain:
    case ParamId::OutLine:
    case ParamId::OutDelay:
    case ParamId::OutFbk:
    case ParamId::OutLimOn:
    case ParamId::OutLimThreshold:
    case ParamId::OutLimAttack:
    case ParamId::OutLimRelease:
    case ParamId::OutLimGain:
    case ParamId::OutLimRatio:
    case ParamId::AutoMode:
    case ParamId::AutoMaxOpen:
    case ParamId::AutoLastHold:
    case ParamId::AutoHoldTime:
    case ParamId::AutoAttn:
    case ParamId::AutoNom:
    case ParamId::DetZeroCross:
    case ParamId::DetEnergy:
    case ParamId::DetCount:
    case ParamId::DetCompensation: return ReportedBy::Z;
    case ParamId::InName: return r < kWireInputs ? ReportedBy::Y : ReportedBy::None;
    case ParamId::OutName:
    case ParamId::UnitSlot: return ReportedBy::Y;
    // A full load sets the EQ section flags and the filter kinds itself; the rest stays in the editor.
    default: return ReportedBy::None;
  }
}

ParamValue AfterWire(const ParamAddr& a, ParamValue v) {
  if (a.id == ParamId::InPeqGain || a.id == ParamId::OutGeqGain) v.raw = v.raw / 2 * 2;
  return v;
}

}  // namespace orvx
