#pragma once
/// Bilingual caption tables: every caption holds its English and its Chinese text (UTF-8).

#include <string>

#include "core/DeviceState.h"

namespace orvx {

struct Caption {
  const char* en;
  const char* zh;
};

inline const char* Text(const Caption& c, Language language) { return language == Language::Chinese ? c.zh : c.en; }

/// A message made at run time, in both languages.
struct BilingualText {
  std::string en;
  std::string zh;
  BilingualText() = default;
  BilingualText(std::string english, std::string chinese) : en(std::move(english)), zh(std::move(chinese)) {}
  /// A fixed caption as a message.
  explicit BilingualText(const Caption& c) : en(c.en), zh(c.zh) {}
  const std::string& In(Language language) const { return language == Language::Chinese ? zh : en; }
  bool Empty() const { return en.empty() && zh.empty(); }
  bool operator==(const BilingualText&) const = default;
  static BilingualText Of(const Caption& c) { return BilingualText(c); }
  /// A message that exists in English only (a file or database failure), shown as it is in both.
  static BilingualText Same(const std::string& text) { return {text, text}; }
};

/// A message box without a caption of its own (the window uses its title).
inline constexpr Caption kNoMessageTitle{"", ""};

/// Captions shared by the link, the supervisor and the main window.
namespace captions {
inline constexpr Caption kConnect{"CONNECT", "连接"};
inline constexpr Caption kDisconnect{"DISCONNECT", "断开"};
inline constexpr Caption kOffline{"OFFLINE", "离线"};
inline constexpr Caption kOnline{"ONLINE", "在线"};
inline constexpr Caption kCannotConnect{"CANNOT CONNECT.", "连接失败."};
inline constexpr Caption kUpdateDevice{"Please update your device.", "Please update your device."};
inline constexpr Caption kActive{"ACTIVE", "通道打开"};
inline constexpr Caption kWaiting{"WAITING", "通道关闭"};
inline constexpr Caption kWinsockError{"Winsock error!", "Winsock error!"};
inline constexpr Caption kWinsockCaption{"Warming", "Warming"};
}  // namespace captions

}  // namespace orvx
