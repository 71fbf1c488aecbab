#pragma once
/// Test double of the editor's command port: records every request in order.

#include <string>
#include <vector>

#include "session/EditorCommands.h"

namespace orvx::test {

class RecordingCommands final : public IEditorCommands {
public:
  std::vector<std::string> calls;
  void SendLevelMute(int wireChannel) override { calls.push_back("A" + std::to_string(wireChannel)); }
  void SendName(int wireChannel) override { calls.push_back("V" + std::to_string(wireChannel)); }
  void SendPeqBand(int channel, int band) override {
    calls.push_back("G" + std::to_string(channel) + "/" + std::to_string(band));
  }
  void SendGeqCurve(int output) override { calls.push_back("H" + std::to_string(output)); }
};

}  // namespace orvx::test
