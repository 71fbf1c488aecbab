#pragma once
/// The reason a link socket could not be set up, in the operator's words. The system's own box
/// ("Winsock error!" / "Warming") says only that something failed; this detail says what, so an
/// operator who started a second editor sees why the first one keeps the port.

#include <cstdint>
#include <string>

#include "core/Captions.h"

namespace orvx {

namespace captions {
/// The one wording, wherever a port is found held by another program (the link, the search).
inline constexpr Caption kPortHeldElsewhere{
    "is already in use by another program (a second editor or orvxctl monitor?)",
    "已被其他程序占用（另一个编辑器或 orvxctl monitor？）"};
}  // namespace captions

/// The detail for `errorNumber` (an errno value) when binding ip:port: a taken port is named as
/// such, anything else gives the system's own text.
std::string SocketErrorDetail(int errorNumber, const std::string& ip, std::uint16_t port);

/// The message box text: `text`, a blank line and `detail`; `text` alone when there is no detail.
std::string TextWithDetail(const std::string& text, const std::string& detail);

}  // namespace orvx
