#pragma once
/// What the editor session tells its window (or a command-line front end), always on the owner
/// thread. Every call has an empty default so an observer overrides only what it shows.

#include "core/Captions.h"
#include "link/ReportEffects.h"

namespace orvx {

/// A message box without a caption of its own (the window uses its title).
inline constexpr Caption kNoMessageTitle{"", ""};

class ISessionObserver {
public:
  virtual ~ISessionObserver() = default;
  /// A report was decoded into the state: repaint what `effects` says changed.
  virtual void OnEffects(const ReportEffects&) {}
  /// A message box for the operator.
  virtual void OnMessage(const Caption& /*text*/, const Caption& /*title*/) {}
  /// The connect button, the status lamp or the status text changed: read them from the session.
  virtual void OnLinkUi() {}
  /// Every strip and page reloads itself from the state.
  virtual void OnRefreshAll() {}
  /// The main window goes to its page view.
  virtual void OnShowPageView(bool /*resetScroll*/) {}
  /// Start the 100 ms close timer; call CloseTick from it.
  virtual void OnStartCloseTimer() {}
  /// The receive thread has ended after a close request: close the window.
  virtual void OnCloseWindow() {}
};

}  // namespace orvx
