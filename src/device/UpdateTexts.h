#pragma once
/// The firmware update's words: keys, questions, messages and version labels. Some messages of the
/// update exist in English only and are shown as they are in both languages; the version labels
/// use the full-width colon "：" in English too. Local and remote updates word their endings
/// differently ("Update successfully" / "Update successfully.").

#include "core/Captions.h"

namespace orvx::captions {

inline constexpr Caption kLocalUpdate{"LOCAL", "本地升级"};
inline constexpr Caption kRemoteUpdate{"UPDATE", "远程升级"};

inline constexpr Caption kUpdateRunning{"Updateing.......", "Updateing......."};
inline constexpr Caption kUpdateQuestion{"If do you update the device? ", "是否要升级？"};
inline constexpr Caption kContinueQuestion{"If do you continue to update the device？", "是否要继续升级？"};

inline constexpr Caption kLocalVersionError{"Get version error.", "读取版本失败."};
inline constexpr Caption kLocalUpdateFail{"update fail", "升级失败。"};
inline constexpr Caption kLocalUpdateDone{"Update successfully", "升级成功。"};

inline constexpr Caption kRemoteVersionError{"Get version error.", "获得版本失败."};
inline constexpr Caption kRemotePageFail{"Update fail.", "Update fail."};
inline constexpr Caption kRemoteNewest{"Software is the newst.", "软件已是最新版本."};
inline constexpr Caption kRemoteUpdateFail{"update fail", "update fail"};
inline constexpr Caption kRemoteUpdateDone{"Update successfully.", "Update successfully."};

/// The base version could not be read: the plain images would go. %1 and %2 are their names.
inline constexpr Caption kUnknownBasicQuestion{
    "The basic version could not be read. Send %1 and %2 (the images for a basic version below 3.00)?",
    "无法读取基带版本。是否发送 %1 和 %2（基带版本 3.00 以下的升级文件）？"};
/// The current settings cannot be kept as a scene before the update.
inline constexpr Caption kNoBackupQuestion{
    "No free scene ID: the current settings cannot be saved as a backup scene. Update without a backup?",
    "没有空闲的场景编号：无法把当前设置保存为备份场景。是否不备份继续升级？"};
inline constexpr Caption kBackupFailedQuestion{
    "The backup scene of the current settings could not be saved. Update without a backup?",
    "无法保存当前设置的备份场景。是否不备份继续升级？"};

// Version labels: the caption, then the value with one decimal.
inline constexpr Caption kHardwareVersion{"Hardware version：", "固件版本："};
inline constexpr Caption kLocalVersion{"Local version：", "本地升级版本："};
inline constexpr Caption kBasicVersion{"Basic version：", "基带版本："};
inline constexpr Caption kCurrentVersion{"Current version：", "当前版本："};
inline constexpr Caption kRemoteVersion{"Remote version：", "最新升级版本："};

}  // namespace orvx::captions
