#pragma once
/// What the editor session tells its window (or a command-line front end), always on the owner
/// thread. Every call has an empty default so an observer overrides only what it shows.

#include <cstdint>
#include <string>

#include "core/Captions.h"
#include "link/ReportEffects.h"

namespace orvx {

/// One notice per change of the state, whoever made it: a report from the processor or the
/// operator through the change path. Views repaint what the bits name, never one field at a time.
struct ChangeNotice {
  std::uint32_t bits = 0;                 ///< change:: bits
  std::uint8_t activeFlipped = 0;         ///< inputs 1..8 whose ACTIVE/WAITING flipped (bit k: input k + 1)
  const ReportEffects* report = nullptr;  ///< the report that made the change; nullptr for the operator's
                                          ///< and for the meters coming to rest without reports
  bool Has(std::uint32_t b) const { return (bits & b) != 0; }
};

class ISessionObserver {
public:
  virtual ~ISessionObserver() = default;
  /// The state changed: repaint what the notice names.
  virtual void OnChanged(const ChangeNotice&) {}
  /// A message box for the operator: the system's text and title, and for a failure the reason
  /// shown below the text (empty otherwise).
  virtual void OnMessage(const Caption& /*text*/, const Caption& /*title*/, const std::string& /*detail*/) {}
  /// The connect button, the status lamp or the status text changed: read them from the session.
  virtual void OnLinkUi() {}
  /// Timer 1 has work again (CONNECT, a search): start it if it was stopped while idle.
  virtual void OnSupervisionNeeded() {}
  /// The main window goes to its page view.
  virtual void OnShowPageView(bool /*resetScroll*/) {}
  /// Start the 100 ms close timer; call CloseTick from it.
  virtual void OnStartCloseTimer() {}
  /// The receive thread has ended after a close request: close the window.
  virtual void OnCloseWindow() {}
};

}  // namespace orvx
