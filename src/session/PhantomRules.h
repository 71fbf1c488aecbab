#pragma once
/// 48V phantom power: the processor's mask carries inputs 1-8 only, so a switch of a higher input
/// would show a state the processor never receives.

#include "core/Captions.h"
#include "core/DeviceState.h"

namespace orvx {

namespace captions {
inline constexpr Caption kPhantomNotCarried{"48V can be switched on inputs 1-8 only: the processor has no phantom "
                                            "power on inputs 9 and up.",
                                            "仅输入 1-8 可开关 48V 幻象电源：处理器的 9 路及以上输入没有幻象电源。"};
}  // namespace captions

/// Whether the 48V switch of input record `record` reaches the processor.
constexpr bool PhantomSwitchable(int record) { return record >= 0 && record < kAutomixInputs; }

}  // namespace orvx
