#pragma once
/// A session without a network for widget tests: the real change path over a send queue that
/// records its datagrams (pumped by the test), and a link view the test sets.

#include <string>
#include <vector>

#include "dsp/PresetDatabase.h"
#include "core/Clock.h"
#include "link/ReportParser.h"
#include "link/SendQueue.h"
#include "session/ShellSession.h"

namespace orvx::test {

class FakeShellSession final : public IShellSession, private IDatagramSink, private IPacer, private IGlyphRenderer {
public:
  FakeShellSession() {
    state.ResetToDefaults();
    changes.SetNotify([this](std::uint32_t bits) { Report(bits); });
  }

  CDeviceState state;
  ISessionObserver* observer = nullptr;
  int connects = 0;
  int ticks = 0;
  int closes = 0;
  bool closeFinished = false;
  bool lamp = false;
  bool statusOnline = false;
  int interval = 100;
  bool supervisionIdle = false;

  CDeviceState& State() override { return state; }
  CChangePath& Changes() override { return changes; }
  void SetObserver(ISessionObserver* o) override { observer = o; }
  void Connect() override {
    ++connects;
    if (state.link.online) {
      state.link.online = false;
      lamp = false;
      statusOnline = false;
    } else {
      state.link.connecting = true;
    }
  }
  void Offline() override {}
  void Tick() override { ++ticks; }
  bool SupervisionIdle() const override { return supervisionIdle; }
  void BeginClose() override { ++closes; }
  bool CloseFinished() const override { return closeFinished; }
  bool LampLit() const override { return lamp; }
  bool StatusOnline() const override { return statusOnline; }
  void SetSendInterval(int ms) override { queue.SetInterval(ms); }
  int SendInterval() const override { return queue.Interval(); }
  IGlyphRenderer& Glyphs() override { return *this; }
  /// Open it (in a test's own directory) to give the editors a preset library.
  CPresetDatabase presets;
  CPresetDatabase* Presets() override { return presets.IsOpen() ? &presets : nullptr; }
  /// A fresh read: counted, and answered by whatever the test puts into `fresh`.
  bool StartFreshRead() override {
    if (!state.link.online) return false;
    ++freshReads;
    fresh = {FreshReadPhase::Reading, nullptr};
    return true;
  }
  FreshReadStatus FreshRead() const override { return fresh; }
  FreshReadStatus fresh;
  int freshReads = 0;

  /// Every frame the change path queued so far (sends what is due first).
  std::vector<std::string> Sent() {
    queue.PumpDue();
    return sent;
  }

  /// As a "Y" report would: online, lamp lit, status ONLINE.
  void GoOnline() {
    state.link.connecting = false;
    state.link.online = true;
    lamp = true;
    statusOnline = true;
    if (observer) observer->OnLinkUi();
  }
  /// As the silence rule would: lamp dark, "OFFLINE", link still online.
  void GoSilent() {
    lamp = false;
    statusOnline = false;
    if (observer) observer->OnLinkUi();
  }
  /// As the session does when no report will come (DISCONNECT, silence): the meters rest.
  void RestMeters() {
    const ReportEffects e = orvx::RestMeters(state);
    if (observer) observer->OnChanged(ChangeNotice{e.changed, e.activeFlipped, nullptr});
  }
  /// As a report that changed stored values would.
  void Report(std::uint32_t bits) {
    if (observer) observer->OnChanged(ChangeNotice{bits, 0, nullptr});
  }

  FakeClock clock;

private:
  bool SendDatagram(std::string_view bytes, const std::string&) override {
    sent.emplace_back(bytes);
    return true;
  }
  void Pause(int ms) override { clock.Advance(ms); }
  std::vector<std::uint8_t> RenderGlyph(std::string_view) override { return std::vector<std::uint8_t>(36, 0); }

  std::vector<std::string> sent;
  CSendQueue queue{*this, *this, clock};
  CChangePath changes{state, queue, [this]() -> IGlyphRenderer& { return *this; }};
};

}  // namespace orvx::test
