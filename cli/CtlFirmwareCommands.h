#pragma once
/// orvxctl's firmware commands. Both talk from --local-ip on --local-port (39030), as the editor's
/// update does, on a socket of their own.

#include "CtlOptions.h"
#include "CtlParamCommands.h"
#include "device/FirmwareUpdate.h"
#include "session/UpdateController.h"

namespace orvx {

/// firmware versions: "%Q" 00, the base version (three tries) and the firmware version. Without
/// an answer to "%Z": kExitNoAnswer, "Get version error.".
CtlReply RunFirmwareVersions(const CtlOptions& o);

/// firmware update: reads both files (kExitBadArguments when one cannot be read), connects (for
/// the backup of the current settings), then runs the editor's local update with the two given
/// images: the link stopped in the update's order, the update on its own socket, progress on
/// stderr, a summary on stdout. Questions are answered with --yes, otherwise Cancel
/// (kExitDeclined). A failed update is kExitFailure with "update fail".
CtlReply RunFirmwareUpdate(const CtlOptions& o);

/// The summary of a finished update: a line per image and the message, or one JSON document.
std::string FormatUpdateSummary(const UpdateOutcome& outcome, const UpdateView& view,
                                const std::vector<UpdateProgress>& images, bool json);

}  // namespace orvx
