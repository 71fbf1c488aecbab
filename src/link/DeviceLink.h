#pragma once
/// The main link to the processor: one UDP socket, owned by the receive thread, used for sending
/// from the owner thread as well.

#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "link/DatagramSink.h"
#include "link/FrameAssembler.h"
#include "link/ReceivedFrame.h"

namespace orvx {

struct LinkSettings {
  std::string localIp = "0.0.0.0";
  std::uint16_t localPort = 39030;  ///< 0 binds an ephemeral port (see BoundPort)
  std::uint16_t remotePort = 39030;
};

/// Called on the receive thread with each valid frame. It must not decode the frame there: the
/// owner marshals it to its own thread (a queued call, or a CFrameInbox).
using FrameHandler = std::function<void(ReceivedFrame frame)>;
/// Called on the receive thread when the socket cannot be set up: the system's message and box
/// caption, and the detail that says why (see SocketErrorDetail).
using ErrorHandler =
    std::function<void(const std::string& message, const std::string& caption, const std::string& detail)>;

class CDeviceLink final : public IDatagramSink {
public:
  explicit CDeviceLink(LinkSettings settings = {});
  ~CDeviceLink() override;  ///< stops and joins the receive thread

  CDeviceLink(const CDeviceLink&) = delete;
  CDeviceLink& operator=(const CDeviceLink&) = delete;

  /// Starts the receive thread and waits until it has set up its socket. Returns true when the
  /// socket is bound; on failure onError gets "Winsock error!" / "Warming" and the reason (on the
  /// receive thread, before Start returns) and the thread ends.
  /// Whatever the handlers touch must outlive the thread (Stop, or destroy the link, first).
  /// Refused (false) while a receive thread still runs: stop it first. A stale stop signal left
  /// from before is cleared when no thread runs.
  bool Start(FrameHandler onFrame, ErrorHandler onError);

  /// Signals the stop event; the receive thread consumes it, closes the socket and ends.
  void SignalStop();
  /// Signals stop and waits for the receive thread to end.
  void Stop();
  /// True from a successful socket set-up until the receive loop ends.
  bool IsRunning() const { return m_running.load(); }
  /// Local port actually bound (0 when no socket).
  std::uint16_t BoundPort() const { return m_boundPort.load(); }

  /// Sends bytes as one datagram to ip (dotted quad only; names are never resolved), remote port.
  /// True only when the whole datagram was sent; false without a socket or for a bad address.
  bool SendDatagram(std::string_view bytes, const std::string& ip) override;
  /// Sends bytes as one datagram to ip:port (a simulator answers each peer where it came from).
  bool SendDatagramTo(std::string_view bytes, const std::string& ip, std::uint16_t port);

  const LinkSettings& Settings() const { return m_settings; }

private:
  void ReceiveThreadProc(FrameHandler onFrame, ErrorHandler onError, std::promise<bool>* ready);
  /// The bound socket, or -1 with `errorNumber` set to why not.
  int OpenSocket(int& errorNumber);
  void CloseSocket(int fd);
  void DrainStopEvent();

  LinkSettings m_settings;
  int m_stopEvent = -1;  ///< eventfd; auto-reset: the receive thread consumes it
  std::thread m_thread;
  std::atomic<bool> m_running{false};
  std::atomic<std::uint16_t> m_boundPort{0};
  std::mutex m_socketMutex;  ///< guards m_socket for senders and for closing, never held while receiving
  int m_socket = -1;
  CFrameAssembler m_assembler;  ///< touched only by the receive thread
};

}  // namespace orvx
