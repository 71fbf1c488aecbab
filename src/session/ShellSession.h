#pragma once
/// What the editor's window needs from the device session. The editor binds it to the real
/// session (link, supervisor, report parser, send queue); widget tests bind it to a double
/// without a network.

#include <string>

#include "core/DeviceState.h"
#include "device/FirmwareUpdate.h"
#include "link/DeviceLink.h"
#include "session/ChangePath.h"
#include "session/FreshRead.h"
#include "session/SearchStatus.h"
#include "session/SessionObserver.h"

namespace orvx {

class CPresetDatabase;

class IShellSession {
public:
  virtual ~IShellSession() = default;
  virtual CDeviceState& State() = 0;
  /// Every change the operator makes goes through here.
  virtual CChangePath& Changes() = 0;
  /// The window (or a front end) that is told about changes, messages and the link's look.
  virtual void SetObserver(ISessionObserver* observer) = 0;

  /// The CONNECT / DISCONNECT button.
  virtual void Connect() = 0;
  /// The OFFLINE button.
  virtual void Offline() = 0;
  /// The 50 ms supervision tick (timer 1).
  virtual void Tick() = 0;
  /// True while timer 1 has nothing to do: offline, no connection attempt, no search waiting for
  /// the port. The window may stop it then; the observer's OnSupervisionNeeded starts it again.
  virtual bool SupervisionIdle() const { return false; }
  /// Program end: "%Q" 00, stop the receive thread. The window waits for CloseFinished.
  virtual void BeginClose() = 0;
  /// True once the receive thread has ended.
  virtual bool CloseFinished() const = 0;

  /// Status lamp: lit by "Y", dark after silence or DISCONNECT.
  virtual bool LampLit() const = 0;
  /// Status text shows "ONLINE" (true) or "OFFLINE".
  virtual bool StatusOnline() const = 0;
  /// The drag interval ("SPAN TIME") of the send queue, milliseconds.
  virtual void SetSendInterval(int ms) = 0;
  virtual int SendInterval() const = 0;

  /// The device search of the SYSTEM page. The link gives up the port first (a DISCONNECT when
  /// online, an attempt abandoned); the search starts on a later Tick, once the link has let go,
  /// so the search and the link never hold the port at once. CONNECT stops the search.
  virtual void StartSearch() {}
  /// Ends the search and releases the port.
  virtual void StopSearch() {}
  virtual SearchStatus Search() const { return {}; }
  /// A firmware update takes the port: the link and the search let go of it in the order the
  /// update needs (UpdatePortRelease). Returns at once; the steps run behind what is queued.
  virtual void ReleasePortForUpdate(UpdateKind) {}
  /// True once every step of that release has run and neither the link nor the search holds the port.
  virtual bool PortReleasedForUpdate() const { return true; }
  /// The link's address and ports; the update's socket binds and sends on the same.
  virtual LinkSettings LinkAddress() const { return {}; }
  /// Renders the glyphs of names for frames built outside the change path (the recovery push).
  virtual IGlyphRenderer& Glyphs() = 0;
  /// The DSP editors' preset library; nullptr when none could be opened (PresetsError says why).
  virtual CPresetDatabase* Presets() { return nullptr; }
  virtual std::string PresetsError() const { return {}; }

  /// Asks the processor for its whole state afresh, into a state of its own (the editor's values
  /// stay as they are). Only while online; false otherwise. A read already running starts again.
  virtual bool StartFreshRead() { return false; }
  /// The read's progress and, once done, the processor's state (valid until the next read).
  virtual FreshReadStatus FreshRead() const { return {}; }
};

}  // namespace orvx
