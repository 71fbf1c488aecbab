#pragma once
/// A session without a network for widget tests: records what the window asks and lets the
/// test set the link view.

#include "session/RecordingCommands.h"
#include "session/ShellSession.h"

namespace orvx::test {

class FakeShellSession final : public IShellSession {
public:
  CDeviceState state;
  RecordingCommands commands;
  IShellListener* listener = nullptr;
  int connects = 0;
  int ticks = 0;
  int closes = 0;
  bool closeFinished = false;
  bool lamp = false;
  bool statusOnline = false;

  CDeviceState& State() override { return state; }
  IEditorCommands& Commands() override { return commands; }
  void SetListener(IShellListener* l) override { listener = l; }
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
  void Tick() override { ++ticks; }
  void BeginClose() override { ++closes; }
  bool CloseFinished() const override { return closeFinished; }
  bool LampLit() const override { return lamp; }
  bool StatusOnline() const override { return statusOnline; }

  /// As a "Y" report would: online, lamp lit, status ONLINE.
  void GoOnline() {
    state.link.connecting = false;
    state.link.online = true;
    lamp = true;
    statusOnline = true;
    if (listener) listener->OnLinkViewChanged();
  }
  /// As the silence rule would: lamp dark, "OFFLINE", link still online.
  void GoSilent() {
    lamp = false;
    statusOnline = false;
    if (listener) listener->OnLinkViewChanged();
  }
};

}  // namespace orvx::test
