#include "pages/OutputStrip.h"

namespace orvx {

COutputStrip::COutputStrip(CStripController& controller, QWidget* parent)
    : CChannelStrip(controller, true, parent) {}

}  // namespace orvx
