#pragma once
/// Output channel strip (MASTER 1-4, DANTE 1-4): name, fader with meter, MUTE.

#include "pages/ChannelStrip.h"

namespace orvx {

class COutputStrip : public CChannelStrip {
  Q_OBJECT
public:
  COutputStrip(IShellSession& session, QWidget* parent = nullptr);
};

}  // namespace orvx
