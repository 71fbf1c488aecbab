#pragma once
/// The processor's side of the command set: decodes one command frame into the device state.
///
/// A frame is applied whole or not at all: a wrong field count, a field that is not hex, a channel
/// outside the letter's range or a bad checksum leaves the state untouched.

#include "core/DeviceState.h"

#include <string>
#include <string_view>

namespace orvx {

enum class CommandKind {
  Refused,            ///< malformed or out of range; nothing changed
  Unknown,            ///< a well-formed frame whose letter the processor does not act on
  Applied,            ///< a setting was stored
  ReportsOn,          ///< "%Q" 01
  ReportsOff,         ///< "%Q" 00
  StateQuery,         ///< "%Z": answer with the full state and the names
  UnitCall,           ///< "%W": a conference unit was called
  SearchProbe,        ///< "%R": a device search
  BasicVersionQuery,  ///< "%r": the base version of the processor's firmware
  UploadStart,        ///< "%S": a firmware image begins (the receiver checks its fields)
  UploadBlock,        ///< "%T": one block of it
};

struct CommandEffect {
  char letter = 0;
  CommandKind kind = CommandKind::Refused;
  std::string why;  ///< for a refused frame: what was wrong (for the log)
  int unit = 0;     ///< for a unit call: the unit number (1..4)
};

/// Applies one complete frame ("%" ... checksum "#") to `state`.
CommandEffect ApplyCommand(std::string_view frame, CDeviceState& state);

}  // namespace orvx
