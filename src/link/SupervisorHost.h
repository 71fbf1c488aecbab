#pragma once
/// What the connection supervisor asks of its owner: the link, the two frames it sends, and the
/// window parts that show the link's status. The editor session implements it.

#include "core/Captions.h"

namespace orvx {

class ISupervisorHost {
public:
  virtual ~ISupervisorHost() = default;

  /// Starts the receive thread; false when its socket could not be set up.
  virtual bool StartReceiving() = 0;
  /// Signals the receive thread to stop (it ends on its own shortly after).
  virtual void StopReceiving() = 0;
  /// True while a receive thread runs.
  virtual bool IsReceiving() const = 0;
  /// Stops the device-search listener if it runs (it binds the same port).
  virtual void StopDeviceSearch() {}

  /// "%Q" with 01 (start) or 00 (stop) to the device address.
  virtual void SendQ(bool start) = 0;
  /// "%Z" to the device address.
  virtual void SendZ() = 0;

  virtual void ShowMessage(const Caption& text) = 0;
  /// The CONNECT / DISCONNECT button: its caption and whether it is shown pressed.
  virtual void SetConnectButton(const Caption& caption, bool pressed) = 0;
  /// The main window's status lamp.
  virtual void SetLamp(bool lit) = 0;
  /// The main window's status text.
  virtual void SetStatusText(const Caption& text) = 0;
  /// No more reports will come (DISCONNECT, silence): the meters fall to rest and the ACTIVE
  /// lamps go dark.
  virtual void RestMeters() = 0;
  /// Reloads every strip and page from the state (names included).
  virtual void RefreshAll() = 0;
  /// Brings the main window to its page view; resetScroll puts both scroll positions at 0.
  virtual void ShowPageView(bool resetScroll) = 0;
  /// Starts the 100 ms close timer (timer 2).
  virtual void StartCloseTimer() = 0;
  /// Closes the main window (the receive thread has ended).
  virtual void CloseWindow() = 0;
};

}  // namespace orvx
