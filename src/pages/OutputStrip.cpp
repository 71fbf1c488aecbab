#include "pages/OutputStrip.h"

namespace orvx {

COutputStrip::COutputStrip(IShellSession& session, QWidget* parent) : CChannelStrip(session, true, parent) {}

}  // namespace orvx
