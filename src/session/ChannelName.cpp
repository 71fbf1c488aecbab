#include "session/ChannelName.h"

#include "core/DeviceState.h"
#include "core/TextCodec.h"

namespace orvx {

NameResult CheckName(std::string_view utf8) { return CheckNameBytes(Utf8ToGbk(utf8)); }

NameResult CheckNameBytes(std::string_view gbk) {
  if (gbk.empty()) return NameResult::Empty;
  if (gbk.size() > static_cast<std::size_t>(kNameLimitBytes)) return NameResult::TooLong;
  return NameResult::Stored;
}

}  // namespace orvx
