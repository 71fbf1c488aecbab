#pragma once
/// What the editor's window needs from the device session. The editor binds it to the real
/// session (link, supervisor, report parser); widget tests bind it to a double without a network.

#include <string>

#include "core/DeviceState.h"
#include "session/EditorCommands.h"

namespace orvx {

/// Told by the session, on the window's thread, what changed.
class IShellListener {
public:
  virtual ~IShellListener() = default;
  /// Lamp, status text or connect button changed: re-read them.
  virtual void OnLinkViewChanged() = 0;
  /// Reports changed stored values (faders, mutes, names, firmware): repaint from the state.
  virtual void OnStateChanged() = 0;
  /// A message box for the operator.
  virtual void OnMessage(const std::string& text, const std::string& caption) = 0;
};

class IShellSession {
public:
  virtual ~IShellSession() = default;
  virtual CDeviceState& State() = 0;
  virtual IEditorCommands& Commands() = 0;
  virtual void SetListener(IShellListener* listener) = 0;

  /// The CONNECT / DISCONNECT button.
  virtual void Connect() = 0;
  /// The 50 ms supervision tick (timer 1).
  virtual void Tick() = 0;
  /// Program end: "%Q" 00, stop the receive thread. The window waits for CloseFinished.
  virtual void BeginClose() = 0;
  /// True once the receive thread has ended.
  virtual bool CloseFinished() const = 0;

  /// Status lamp: lit by "Y", dark after silence or DISCONNECT.
  virtual bool LampLit() const = 0;
  /// Status text shows "ONLINE" (true) or "OFFLINE".
  virtual bool StatusOnline() const = 0;
};

}  // namespace orvx
