#pragma once
/// Sends command frames with the pauses the processor needs.

#include <string>

#include "core/DeviceState.h"
#include "link/Commands.h"
#include "link/DatagramSink.h"
#include "link/FramePlan.h"
#include "link/Pacer.h"

namespace orvx {

/// Pause after "%Z", "%W", "%X" and after each piece of "%V".
constexpr int kBulkPauseMs = 10;
/// "%V" travels in datagrams of at most this many bytes.
constexpr int kNamePieceBytes = 256;

/// How one complete frame goes out: its datagrams and the pause after each. Empty for an empty frame.
FramePlan PlanFrame(const std::string& frame);

class CCommandSender {
public:
  CCommandSender(IDatagramSink& sink, IPacer& pacer) : m_sink(sink), m_pacer(pacer) {}

  /// Sends a complete frame with its pacing. False for an empty frame or when a datagram failed;
  /// failures are not retried.
  bool Send(const std::string& frame, const std::string& ip);
  /// Sends every datagram of a plan in order, pausing after each as planned (even after a failed
  /// send). True when every datagram went out.
  bool Run(const FramePlan& plan, const std::string& ip);

  bool SendA(const CDeviceState& s, const std::string& ip, int channel) { return Send(FrameA(s, channel), ip); }
  bool SendB(const CDeviceState& s, const std::string& ip, int channel) { return Send(FrameB(s, channel), ip); }
  bool SendC(const CDeviceState& s, const std::string& ip, int channel) { return Send(FrameC(s, channel), ip); }
  bool SendD(const CDeviceState& s, const std::string& ip, int output) { return Send(FrameD(s, output), ip); }
  bool SendE(const CDeviceState& s, const std::string& ip, int channel) { return Send(FrameE(s, channel), ip); }
  bool SendF(const CDeviceState& s, const std::string& ip, int channel) { return Send(FrameF(s, channel), ip); }
  bool SendG(const CDeviceState& s, const std::string& ip, int channel, int band) {
    return Send(FrameG(s, channel, band), ip);
  }
  bool SendH(const CDeviceState& s, const std::string& ip, int output) { return Send(FrameH(s, output), ip); }
  bool SendI(const CDeviceState& s, const std::string& ip, int output) { return Send(FrameI(s, output), ip); }
  bool SendJ(const CDeviceState& s, const std::string& ip, int output) { return Send(FrameJ(s, output), ip); }
  bool SendK(const CDeviceState& s, const std::string& ip, int output) { return Send(FrameK(s, output), ip); }
  bool SendL(const CDeviceState& s, const std::string& ip, int channel) { return Send(FrameL(s, channel), ip); }
  bool SendM(const CDeviceState& s, const std::string& ip) { return Send(FrameM(s), ip); }
  bool SendN(const CDeviceState& s, const std::string& ip) { return Send(FrameN(s), ip); }
  bool SendO(const CDeviceState& s, const std::string& ip, int channel) { return Send(FrameO(s, channel), ip); }
  bool SendQ(const std::string& ip, bool start) { return Send(FrameQ(start), ip); }
  bool SendV(const CDeviceState& s, const std::string& ip, int channel, IGlyphRenderer& renderer) {
    return Send(FrameV(s, channel, renderer), ip);
  }
  bool SendW(const std::string& ip, int unit) { return Send(FrameW(unit), ip); }
  bool SendX(const CDeviceState& s, const std::string& ip, int unit) { return Send(FrameX(s, unit), ip); }
  bool SendZ(const std::string& ip) { return Send(FrameZ(), ip); }
  bool SendR(const std::string& ip) { return Send(FrameR(), ip); }

private:
  IDatagramSink& m_sink;
  IPacer& m_pacer;
};

}  // namespace orvx
