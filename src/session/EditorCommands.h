#pragma once
/// The commands the shell's controllers ask for. Each call builds its frame from the state
/// as it is now; the editor binds this to the link's senders, tests record the calls.

namespace orvx {

class IEditorCommands {
public:
  virtual ~IEditorCommands() = default;
  /// "%A," for a wire channel (1..12 inputs, 13..20 outputs).
  virtual void SendLevelMute(int wireChannel) = 0;
  /// "%V," for a wire channel 1..20.
  virtual void SendName(int wireChannel) = 0;
  /// "%G," for input channel 1..16, band 1..5.
  virtual void SendPeqBand(int channel, int band) = 0;
  /// "%H," for output 1..8.
  virtual void SendGeqCurve(int output) = 0;
};

}  // namespace orvx
