#pragma once
/// Changes made "at the processor itself": one console or script line applied to the simulator.
///
///   level in N V | level out N V     fader 0..70 (input 1..12, output 1..8)      -> "P" report
///   mute in N 0|1 | mute out N 0|1   mute                                        -> "P" for outputs
///   line out N 0|1                   MIC/LINE of an output                       -> "P" report
///   units N                          conference units present                    -> "P" report
///   name in N TEXT | name out N TEXT channel name (UTF-8), seen in the next "Y"
///   talk in N LEVEL | talk in N off  pin a microphone's signal (meter scale) or release it
///   silence SECONDS                  stop answering and reporting for a while
///   faults in|out L D R C S          percent of frames lost, doubled, reordered, corrupted, split:
///                                    "in" the editor's frames arriving, "out" the simulator's own
///   faults off                       no more damage either way
///   drop PERCENT                     the share of the editor's frames lost on their way in (0..100)
///   wait MS                          pause a script (0..60000)
///   quit                             end the simulator
/// Blank lines and lines starting with "#" do nothing.

#include "FaultInjector.h"
#include "SimDevice.h"

#include <optional>
#include <string>
#include <string_view>

namespace orvx {

struct ConsoleResult {
  bool ok = true;
  std::string error;        ///< why a line was refused
  bool sendLevels = false;  ///< a level the editor tracks changed: send a "P" report
  int silenceMs = 0;
  std::optional<FaultRates> inboundFaults = std::nullopt;   ///< new rates for the frames received
  std::optional<FaultRates> outboundFaults = std::nullopt;  ///< new rates for the frames sent
  int dropPercent = -1;  ///< 0..100: the share of received commands to ignore from now on
  int waitMs = 0;
  bool quit = false;
};

ConsoleResult ApplyConsoleLine(std::string_view line, CSimDevice& device);

}  // namespace orvx
